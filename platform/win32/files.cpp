// Win32 backend of files and folders: the ANSI API and the C runtime's streams.
#include "platform/files.h"

#include <windows.h>
#include <winternl.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>

struct folder_listing {
  HANDLE find;
  WIN32_FIND_DATAA found;
  bool found_unread;
};

folder_listing* folder_listing_open(const char* pattern) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) return nullptr;
  folder_listing* listing = new (std::nothrow) folder_listing{find, found, true};
  if (!listing) FindClose(find);
  return listing;
}

bool folder_listing_next(folder_listing* listing, folder_entry* entry) {
  if (!listing->found_unread && !FindNextFileA(listing->find, &listing->found)) return false;
  listing->found_unread = false;
  const WIN32_FIND_DATAA& found = listing->found;
  snprintf(entry->name, sizeof entry->name, "%s", found.cFileName);
  entry->is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry->size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return true;
}

void folder_listing_close(folder_listing* listing) {
  FindClose(listing->find);
  delete listing;
}

namespace {
// The system's own name for a path, as a rename asks for it: \??\C:\... or \??\UNC\server\...
// The length in characters; 0 when the path cannot be converted or does not fit.
size_t nt_path_of(const char* path, wchar_t* nt_path, size_t capacity) {
  wchar_t wide[MAX_PATH + 1];
  wchar_t full[2 * MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH + 1) == 0)
    return 0;
  DWORD length = GetFullPathNameW(wide, 2 * MAX_PATH, full, nullptr);
  if (length == 0 || length >= 2 * MAX_PATH) return 0;
  const wchar_t* prefix = L"\\??\\";
  const wchar_t* rest = full;
  if (wcsncmp(full, L"\\\\?\\", 4) == 0 || wcsncmp(full, L"\\\\.\\", 4) == 0) {
    rest = full + 4;
  } else if (wcsncmp(full, L"\\\\", 2) == 0) {
    prefix = L"\\??\\UNC\\";
    rest = full + 2;
  }
  size_t prefix_length = wcslen(prefix), rest_length = wcslen(rest);
  if (prefix_length + rest_length >= capacity) return 0;
  wmemcpy(nt_path, prefix, prefix_length);
  wmemcpy(nt_path + prefix_length, rest, rest_length + 1);
  return prefix_length + rest_length;
}

bool rename_open_file(HANDLE file, const char* to, bool replace) {
  constexpr size_t name_capacity = 3 * MAX_PATH;
  alignas(FILE_RENAME_INFORMATION) unsigned char
      buffer[offsetof(FILE_RENAME_INFORMATION, FileName) + name_capacity * sizeof(wchar_t)];
  auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer);
  size_t length = nt_path_of(to, rename->FileName, name_capacity);
  if (length == 0) return false;
  rename->ReplaceIfExists = replace ? TRUE : FALSE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<ULONG>(length * sizeof(wchar_t));
  IO_STATUS_BLOCK status;
  return NtSetInformationFile(file, &status, rename,
                              static_cast<ULONG>(offsetof(FILE_RENAME_INFORMATION, FileName) +
                                                 rename->FileNameLength),
                              FileRenameInformation) >= 0;
}
}  // namespace

make_folder_result make_folder(const char* path) {
  if (_mkdir(path) == 0) return make_folder_result::made;
  return errno == EEXIST ? make_folder_result::exists : make_folder_result::failed;
}

FILE* open_file_stream(const char* path, const char* mode) { return fopen(path, mode); }

int64_t stream_size(FILE* stream) {
  if (fseeko64(stream, 0, SEEK_END) != 0) return -1;
  int64_t size = ftello64(stream);
  rewind(stream);
  return size;
}

FILE* create_new_file_stream(const char* path, bool* name_taken) {
  // DELETE access lets close_into_place rename the file through this handle.
  HANDLE file = CreateFileA(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    *name_taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return nullptr;
  }
  *name_taken = false;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "wb");
  if (!stream) _close(fd);
  return stream;
}

bool close_into_place(FILE* stream, const char* temp_path, const char* final_path, bool replace) {
  // Once the buffer is flushed the bytes are with the system, and closing the handle cannot
  // lose them: so the file is renamed through the handle still open, which spares opening it
  // again by name (and, under Wine, a scan of the folder). Where that rename is refused, the
  // usual move by name is tried after closing.
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  if (rename_open_file(file, final_path, replace)) {
    fclose(stream);
    return true;
  }
  if (fclose(stream) != 0) return false;
  return MoveFileExA(temp_path, final_path, replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

int delete_file(const char* path) { return remove(path) == 0 ? 0 : errno; }

bool get_file_identity(const char* path, file_identity* identity) {
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool ok = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  if (!ok) return false;
  identity->volume = info.dwVolumeSerialNumber;
  identity->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}
