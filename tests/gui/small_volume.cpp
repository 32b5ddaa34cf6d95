// A small tmpfs over a test's folder.
#include "tests/gui/small_volume.h"

#include "tests/gui/ferrix_driver.h"

namespace {
// Under Wine: the Unix name of a Windows path.
std::string unix_name(const std::string& path) {
  using unix_name_function = char*(CDECL*)(const WCHAR*);
  auto convert = reinterpret_cast<unix_name_function>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH];
  if (!convert || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return {};
  char* name = convert(wide);
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

ULONGLONG total_space(const std::string& folder) {
  ULARGE_INTEGER free_bytes{}, total{}, total_free{};
  GetDiskFreeSpaceExA((folder + "\\").c_str(), &free_bytes, &total, &total_free);
  return total.QuadPart;
}

// Runs a Unix program; Wine does not follow it to its end, so the caller waits for its effect.
void run_unix(std::string command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
}  // namespace

bool mount_small_volume(small_volume& volume, const std::string& folder, const char* bytes,
                        ULONGLONG most_bytes) {
  volume.folder = folder;
  volume.unix_folder = unix_name(folder);
  if (volume.unix_folder.empty()) return false;
  run_unix(std::string("Z:\\bin\\mount -t tmpfs -o size=") + bytes + " tmpfs \"" +
           volume.unix_folder + "\"");
  volume.mounted = driver::wait_until([&] { return total_space(folder) <= most_bytes; });
  return volume.mounted;
}

void unmount_small_volume(small_volume& volume, ULONGLONG most_bytes) {
  if (!volume.mounted) return;
  run_unix("Z:\\bin\\umount -l \"" + volume.unix_folder + "\"");
  driver::wait_until([&] { return total_space(volume.folder) > most_bytes; });
  volume.mounted = false;
}
