// POSIX backend of the read-back: O_DIRECT, so that the kernel reads the device and not the
// page cache its writer filled; refused (tmpfs, some network file systems), a plain open.
#include "platform/read_back.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/posix/host_path.h"

struct read_back_file {
  int fd;
};

bool flush_written_file(FILE* stream) {
  return fflush(stream) == 0 && !ferror(stream) && fsync(fileno(stream)) == 0;
}

read_back_file* read_back_open(const char* path, read_back_source* source) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return nullptr;
  *source = read_back_source::device;
  int fd = open(host, O_RDONLY | O_DIRECT);
  if (fd < 0) {
    *source = read_back_source::cache;
    fd = open(host, O_RDONLY);
  }
  if (fd < 0) return nullptr;
  read_back_file* file = new (std::nothrow) read_back_file{fd};
  if (!file) close(fd);
  return file;
}

// One call: a regular file's read stops short only at its end, and after a short read an
// O_DIRECT file's position is no longer at a sector boundary.
int32_t read_back_read(read_back_file* file, uint8_t* buffer, int32_t size) {
  ssize_t got;
  do got = read(file->fd, buffer, static_cast<size_t>(size));
  while (got < 0 && errno == EINTR);
  return got < 0 ? -1 : static_cast<int32_t>(got);
}

void read_back_close(read_back_file* file) {
  close(file->fd);
  delete file;
}
