// POSIX backend of files and folders: backslash paths become slash paths, and a listing
// reports what stat() sees through links, as the Windows listing reports a junction's target.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/posix/host_path.h"

struct folder_listing {
  DIR* dir;
  char folder[host_path_size];  // ends with '/' or is empty
};

folder_listing* folder_listing_open(const char* pattern) {
  folder_listing* listing = new (std::nothrow) folder_listing{};
  if (!listing) return nullptr;
  if (!to_host_path(pattern, listing->folder)) {
    delete listing;
    return nullptr;
  }
  char* last_slash = strrchr(listing->folder, '/');
  if (last_slash) last_slash[1] = '\0';  // drop the "*.*" pattern, keep the folder
  else listing->folder[0] = '\0';
  listing->dir = opendir(listing->folder[0] ? listing->folder : ".");
  if (!listing->dir) {
    delete listing;
    return nullptr;
  }
  return listing;
}

bool folder_listing_next(folder_listing* listing, folder_entry* entry) {
  while (dirent* found = readdir(listing->dir)) {
    char full[host_path_size];
    int length = snprintf(full, sizeof full, "%s%s", listing->folder, found->d_name);
    struct stat info;
    // Like Windows, skip what cannot be described (a dangling link).
    if (length >= static_cast<int>(sizeof full) || stat(full, &info) != 0) continue;
    snprintf(entry->name, sizeof entry->name, "%s", found->d_name);
    entry->is_folder = S_ISDIR(info.st_mode);
    entry->size = entry->is_folder ? 0 : static_cast<uint64_t>(info.st_size);
    return true;
  }
  return false;
}

void folder_listing_close(folder_listing* listing) {
  closedir(listing->dir);
  delete listing;
}

make_folder_result make_folder(const char* path) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return make_folder_result::failed;
  if (mkdir(host, 0777) == 0) return make_folder_result::made;
  return errno == EEXIST ? make_folder_result::exists : make_folder_result::failed;
}

FILE* open_file_stream(const char* path, const char* mode) {
  char host[host_path_size];
  if (!to_host_path(path, host)) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  return fopen(host, mode);
}

bool stream_stamp(FILE* stream, file_stamp* stamp) {
  struct stat info;
  if (fstat(fileno(stream), &info) != 0) return false;
  stamp->size = static_cast<int64_t>(info.st_size);
  stamp->write_time = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                      info.st_mtim.tv_nsec;
  return true;
}

path_attributes path_attributes_of(const char* path) {
  char host[host_path_size];
  struct stat info;
  if (!to_host_path(path, host) || stat(host, &info) != 0) return {};
  return {true, S_ISDIR(info.st_mode), (info.st_mode & 0222) == 0};
}

namespace {
// A file made unnamed in its folder, locked, and only then linked under its name: no other
// process ever sees it there unlocked. Linux only; -1 where the file system cannot.
int create_locked_by_link(const char* host, bool* name_taken) {
  char folder[host_path_size];
  snprintf(folder, sizeof folder, "%s", host);
  char* last_slash = strrchr(folder, '/');
  if (last_slash) last_slash[1] = '\0';
  int fd = open(last_slash ? folder : ".", O_TMPFILE | O_WRONLY, 0666);
  if (fd < 0) return -1;
  char self[64];
  snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  if (flock(fd, LOCK_EX) == 0 && linkat(AT_FDCWD, self, AT_FDCWD, host, AT_SYMLINK_FOLLOW) == 0)
    return fd;
  *name_taken = errno == EEXIST;
  close(fd);
  return -1;
}
}  // namespace

FILE* create_new_file_stream(const char* path, bool* name_taken) {
  char host[host_path_size];
  *name_taken = false;
  if (!to_host_path(path, host)) return nullptr;
  int fd = create_locked_by_link(host, name_taken);
  if (fd < 0 && *name_taken) return nullptr;
  if (fd < 0) {
    // No unnamed files here: named first, locked a moment later.
    fd = open(host, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
      *name_taken = errno == EEXIST;
      return nullptr;
    }
    flock(fd, LOCK_EX);
  }
  FILE* stream = fdopen(fd, "wb");
  if (!stream) close(fd);
  return stream;
}

int delete_file(const char* path) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return ENAMETOOLONG;
  return remove(host) == 0 ? 0 : errno;
}

namespace {
file_identity identity_of(const struct stat& info, identity_scope scope) {
  const uint64_t volume = scope == identity_scope::on_its_volume ? 0 : info.st_dev;
  return {volume, static_cast<uint64_t>(info.st_ino), 0};
}
}  // namespace

// The maker's lock goes with its last descriptor, whenever and however its process ends.
bool delete_abandoned_file(const char* path) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return false;
  int fd = open(host, O_RDONLY | O_NOFOLLOW);
  if (fd < 0) return false;
  struct stat opened, named;
  // Still the file that was opened and locked: not a newer one given the name meanwhile.
  bool deleted = flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 &&
                 lstat(host, &named) == 0 && S_ISREG(opened.st_mode) &&
                 same_identity(identity_of(opened, identity_scope::across_volumes),
                               identity_of(named, identity_scope::across_volumes)) &&
                 unlink(host) == 0;
  close(fd);
  return deleted;
}

namespace {
bool move_to_new_name(const char* host_from, const char* host_to) {
  if (renameat2(AT_FDCWD, host_from, AT_FDCWD, host_to, RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without an atomic no-replace rename: a hard link refuses an existing name.
  if (link(host_from, host_to) != 0) return false;
  unlink(host_from);
  return true;
}
}  // namespace

bool move_into_place(const char* temp_path, const char* final_path, bool replace,
                     bool* name_taken) {
  *name_taken = false;
  char host_from[host_path_size], host_to[host_path_size];
  if (!to_host_path(temp_path, host_from) || !to_host_path(final_path, host_to)) return false;
  if (replace ? rename(host_from, host_to) == 0 : move_to_new_name(host_from, host_to))
    return true;
  *name_taken = !replace && errno == EEXIST;
  return false;
}

bool close_into_place(FILE* stream, const char* temp_path, const char* final_path, bool replace,
                      bool* name_taken) {
  *name_taken = false;
  // Closing first: here a close can still report a write that failed late (network shares).
  if (fclose(stream) != 0) return false;
  return move_into_place(temp_path, final_path, replace, name_taken);
}

bool get_file_identity(const char* path, identity_scope scope, file_identity* identity) {
  char host[host_path_size];
  struct stat info;
  if (!to_host_path(path, host) || stat(host, &info) != 0) return false;
  *identity = identity_of(info, scope);
  return true;
}

bool stream_identity(FILE* stream, identity_scope scope, file_identity* identity) {
  struct stat info;
  if (fstat(fileno(stream), &info) != 0) return false;
  *identity = identity_of(info, scope);
  return true;
}

bool user_temp_folder(char (&folder)[windows_path_size]) {
  const char* temp = getenv("TMPDIR");
  const int written = snprintf(folder, sizeof folder, "%s", temp && temp[0] ? temp : "/tmp");
  if (written <= 0 || written >= static_cast<int>(sizeof folder)) return false;
  for (char* c = folder; *c; ++c)
    if (*c == '/') *c = '\\';  // the engine's separator; '/' is never part of a GBK character
  return true;
}
