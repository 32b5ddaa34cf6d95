// Win32 backend of the read-back: FILE_FLAG_NO_BUFFERING, so that Windows reads the device
// and not the cache its writer filled; refused (by some file systems and redirectors), the
// same open without it.
#include "platform/read_back.h"

#include <windows.h>
#include <io.h>

#include <new>

#include "core/limits.h"
#include "platform/win32/exact_path.h"

struct read_back_file {
  HANDLE handle;
};

bool flush_written_file(FILE* stream) {
  if (fflush(stream) != 0 || ferror(stream)) return false;
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  return file != INVALID_HANDLE_VALUE && FlushFileBuffers(file) != 0;
}

namespace {
HANDLE open_for_reading(const char* path, DWORD flags) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, flags, nullptr);
}
}  // namespace

read_back_file* read_back_open(const char* path, read_back_source* source) {
  char buffer[windows_path_size];
  const char* exact = exact_path(path, buffer, sizeof buffer);
  if (!exact) return nullptr;
  *source = read_back_source::device;
  HANDLE handle = open_for_reading(exact, FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN);
  if (handle == INVALID_HANDLE_VALUE) {
    *source = read_back_source::cache;
    handle = open_for_reading(exact, FILE_FLAG_SEQUENTIAL_SCAN);
  }
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  read_back_file* file = new (std::nothrow) read_back_file{handle};
  if (!file) CloseHandle(handle);
  return file;
}

int32_t read_back_read(read_back_file* file, uint8_t* buffer, int32_t size) {
  DWORD got = 0;
  if (!ReadFile(file->handle, buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
  return static_cast<int32_t>(got);
}

void read_back_close(read_back_file* file) {
  CloseHandle(file->handle);
  delete file;
}
