// Win32 backend of the test host tools (also run under Wine, where some provocations need the
// Unix side and others are not possible at all).
#include "platform/testing/host_tools.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {
std::vector<HANDLE> held_files;

// Trees may hold paths longer than the ANSI calls accept: the wide calls with the "\\?\"
// prefix take them all.
std::wstring long_path(const std::string& path) {
  int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring result(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, result.data(), length);
  result.resize(static_cast<size_t>(length) - 1);
  for (WCHAR& c : result)
    if (c == L'/') c = L'\\';
  if (result.size() > 2 && result[1] == L':') result = L"\\\\?\\" + result;
  return result;
}

std::string ansi_name(const WCHAR* name) {
  char ansi[MAX_PATH * 2];
  if (!WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr)) return {};
  return ansi;
}

DWORD attributes_of(const std::string& path) { return GetFileAttributesW(long_path(path).c_str()); }

bool is_folder(const std::string& path) {
  DWORD attributes = attributes_of(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Under Wine: the Unix name of a Windows path, through Wine's own export; empty elsewhere.
std::string unix_name_under_wine(const std::string& path) {
  using unix_name_function = char*(CDECL*)(const WCHAR*);
  auto unix_name = reinterpret_cast<unix_name_function>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unix_name) return {};
  WCHAR wide[MAX_PATH];
  if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return {};
  char* name = unix_name(wide);
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Waits (up to five seconds) until the path is, or is no longer, a folder: a Unix program
// started from Wine is not followed to its end by the process handle.
bool becomes_folder(const std::string& path, bool folder) {
  for (int i = 0; i < 500; ++i, Sleep(10))
    if (is_folder(path) == folder) return true;
  return false;
}

// Wine starts Unix programs too; this is how a test gets a Unix link there.
bool run_and_wait(std::string command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
}  // namespace

std::string host_temp_folder() {
  char folder[MAX_PATH];
  DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return "C:\\";
  if (folder[length - 1] == '\\') folder[length - 1] = '\0';
  return folder;
}

int host_process_id() { return static_cast<int>(GetCurrentProcessId()); }

void host_set_temp_folder(const std::string& folder) {
  // GetTempPathA reads TMP, then TEMP, from the process's environment.
  static std::string original[2];
  static bool saved = false;
  const char* names[2] = {"TMP", "TEMP"};
  for (int i = 0; i < 2; ++i) {
    if (!saved) {
      char value[MAX_PATH] = "";
      const DWORD length = GetEnvironmentVariableA(names[i], value, sizeof value);
      original[i] = length < sizeof value ? value : "";
    }
    const std::string& value = folder.empty() ? original[i] : folder;
    SetEnvironmentVariableA(names[i], value.empty() ? nullptr : value.c_str());
  }
  saved = true;
}

bool host_make_folder(const std::string& path) {
  return CreateDirectoryW(long_path(path).c_str(), nullptr) != 0;
}

bool host_list_folder(const std::string& path, std::vector<host_entry>& entries) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((long_path(path) + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0) continue;
    entries.push_back(
        {ansi_name(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return true;
}

void host_remove_tree(const std::string& path) {
  DWORD attributes = attributes_of(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  std::wstring wide = long_path(path);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(wide.c_str());
    return;
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {  // a link is removed, never entered
    std::vector<host_entry> entries;
    host_list_folder(path, entries);
    for (const host_entry& entry : entries) host_remove_tree(path + "\\" + entry.name);
  }
  if (!RemoveDirectoryW(wide.c_str())) DeleteFileW(wide.c_str());
}

bool host_make_sized_file(const std::string& path, uint64_t size) {
  HANDLE file = CreateFileW(long_path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return ok;
}

// Windows has no per-process file size limit.
bool host_limit_file_size(uint64_t) { return false; }
void host_lift_file_size_limit() {}

bool host_make_folder_link(const std::string& link_path, const std::string& target_path) {
  using create_link_function = BOOLEAN(WINAPI*)(const char*, const char*, DWORD);
  auto create_link = reinterpret_cast<create_link_function>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  const DWORD folder_link = 0x1, unprivileged = 0x2;
  if (create_link &&
      create_link(link_path.c_str(), target_path.c_str(), folder_link | unprivileged) &&
      is_folder(link_path))
    return true;
  RemoveDirectoryW(long_path(link_path).c_str());
  std::string unix_target = unix_name_under_wine(target_path);
  std::string unix_parent =
      unix_name_under_wine(link_path.substr(0, link_path.find_last_of("\\/")));
  if (unix_target.empty() || unix_parent.empty()) return false;
  std::string unix_link = unix_parent + "/" + link_path.substr(link_path.find_last_of("\\/") + 1);
  return run_and_wait("Z:\\bin\\ln -s \"" + unix_target + "\" \"" + unix_link + "\"") &&
         becomes_folder(link_path, true);
}

bool host_remove_folder_link(const std::string& link_path) {
  if (RemoveDirectoryW(long_path(link_path).c_str()) && !is_folder(link_path)) return true;
  std::string unix_link = unix_name_under_wine(link_path);
  return !unix_link.empty() && run_and_wait("Z:\\bin\\rm \"" + unix_link + "\"") &&
         becomes_folder(link_path, false);
}

// Windows has no such bits; under Wine the Unix chmod sets them. Wine shows a path without any
// write bit as read-only, which tells when the change has been made.
bool host_set_permissions(const std::string& path, unsigned mode) {
  const std::string unix_path = unix_name_under_wine(path);
  if (unix_path.empty()) return false;
  char command[32];
  snprintf(command, sizeof command, "Z:\\bin\\chmod %04o \"", mode & 07777);
  if (!run_and_wait(command + unix_path + "\"")) return false;
  const bool read_only = (mode & 0222) == 0;
  for (int i = 0; i < 500; ++i, Sleep(10)) {
    const DWORD attributes = attributes_of(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        ((attributes & FILE_ATTRIBUTE_READONLY) != 0) == read_only)
      return true;
  }
  return false;
}

std::string host_unix_path(const std::string& path) { return unix_name_under_wine(path); }

// The script travels in a file, its bytes as they are: a command line would pass it through the
// code page and the Windows quoting rules. The process handle does not follow a Unix program to
// its end, so the script's last step leaves a file with its status, under its final name only
// once that is written.
bool host_run_shell_script(const std::string& script) {
  static int scripts_run = 0;
  char name[64];
  snprintf(name, sizeof name, "\\ferrix-script-%lu-%d", GetCurrentProcessId(), ++scripts_run);
  const std::string script_path = host_temp_folder() + name + ".sh";
  const std::string done_path = host_temp_folder() + name + ".done";
  const std::string unix_script = unix_name_under_wine(script_path);
  const std::string unix_done = unix_name_under_wine(done_path);
  if (unix_script.empty() || unix_done.empty()) return false;
  const std::string wrapped = "(\nset -e\n" + script + "\n)\necho $? > " +
                              host_shell_word(unix_done + ".part") + "\nmv " +
                              host_shell_word(unix_done + ".part") + " " +
                              host_shell_word(unix_done) + "\n";
  FILE* file = fopen(script_path.c_str(), "wb");
  if (!file) return false;
  const bool written = fwrite(wrapped.data(), 1, wrapped.size(), file) == wrapped.size();
  if (fclose(file) != 0 || !written || !run_and_wait("Z:\\bin\\sh \"" + unix_script + "\"")) {
    DeleteFileA(script_path.c_str());
    return false;
  }
  char status[16] = "";
  for (int i = 0; i < 6000 && attributes_of(done_path) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
  if (FILE* done = fopen(done_path.c_str(), "rb")) {
    fgets(status, sizeof status, done);
    fclose(done);
  }
  DeleteFileA(done_path.c_str());
  DeleteFileA(script_path.c_str());
  return strcmp(status, "0\n") == 0;
}

// Byte-range locks would do it on Windows, but Wine does not enforce them on reads.
bool host_break_reads_of_open_file(const std::string&) { return false; }

// A handle that does not share deletion makes DeleteFile fail with a sharing violation.
int host_block_deletion(const std::string& path) {
  HANDLE file = CreateFileW(long_path(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  held_files.push_back(file);
  return EACCES;
}

bool host_hold_file_locked(const std::string& path) {
  HANDLE file = CreateFileW(long_path(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  held_files.push_back(file);
  return true;
}

bool host_age_file(const std::string& path) {
  HANDLE file = CreateFileW(long_path(path).c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written;
  bool aged = GetFileTime(file, nullptr, nullptr, &written) != 0;
  if (aged) {
    ULARGE_INTEGER ticks{{written.dwLowDateTime, written.dwHighDateTime}};
    ticks.QuadPart -= 24ULL * 3600 * 10000000;  // one day in 100 ns ticks
    written = {ticks.LowPart, ticks.HighPart};
    aged = SetFileTime(file, nullptr, nullptr, &written) != 0;
  }
  CloseHandle(file);
  return aged;
}

void host_release_blocks() {
  for (HANDLE file : held_files) CloseHandle(file);
  held_files.clear();
}
