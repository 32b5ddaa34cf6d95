// Win32 backend of files and folders: the ANSI API and the C runtime's streams.
#include "platform/files.h"

#include <windows.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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
  *name_taken = false;
  int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) {
    *name_taken = errno == EEXIST;
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "wb");
  if (!stream) _close(fd);
  return stream;
}

int delete_file(const char* path) { return remove(path) == 0 ? 0 : errno; }

bool replace_file(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool move_new_file(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0;
}

bool file_exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

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
