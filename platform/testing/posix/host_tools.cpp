// POSIX backend of the test host tools.
#include "platform/testing/host_tools.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
rlimit saved_file_size_limit;
void (*saved_xfsz_handler)(int) = SIG_DFL;
bool file_size_limited = false;
}  // namespace

std::string host_temp_folder() {
  const char* folder = getenv("TMPDIR");
  return folder && folder[0] ? folder : "/tmp";
}

int host_process_id() { return static_cast<int>(getpid()); }

void host_set_temp_folder(const std::string& folder) {
  static const char* const started_with = getenv("TMPDIR");
  static const std::string original = started_with ? started_with : "";
  const std::string& value = folder.empty() ? original : folder;
  if (!folder.empty() || started_with) setenv("TMPDIR", value.c_str(), 1);
  else unsetenv("TMPDIR");
}

bool host_make_folder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool host_list_folder(const std::string& path, std::vector<host_entry>& entries) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return false;
  while (dirent* found = readdir(dir)) {
    if (strcmp(found->d_name, ".") == 0 || strcmp(found->d_name, "..") == 0) continue;
    struct stat info;
    std::string full = path + "/" + found->d_name;
    bool is_folder = stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({found->d_name, is_folder});
  }
  closedir(dir);
  return true;
}

void host_remove_tree(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    if (DIR* dir = opendir(path.c_str())) {
      while (dirent* found = readdir(dir))
        if (strcmp(found->d_name, ".") != 0 && strcmp(found->d_name, "..") != 0)
          host_remove_tree(path + "/" + found->d_name);
      closedir(dir);
    }
    rmdir(path.c_str());
  } else {
    unlink(path.c_str());
  }
}

bool host_make_sized_file(const std::string& path, uint64_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  bool ok = ftruncate(fd, static_cast<off_t>(size)) == 0;
  close(fd);
  return ok;
}

bool host_limit_file_size(uint64_t bytes) {
  if (getrlimit(RLIMIT_FSIZE, &saved_file_size_limit) != 0) return false;
  rlimit limited = saved_file_size_limit;
  limited.rlim_cur = static_cast<rlim_t>(bytes);
  saved_xfsz_handler = signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG
  if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
    signal(SIGXFSZ, saved_xfsz_handler);
    return false;
  }
  file_size_limited = true;
  return true;
}

void host_lift_file_size_limit() {
  if (!file_size_limited) return;
  setrlimit(RLIMIT_FSIZE, &saved_file_size_limit);
  signal(SIGXFSZ, saved_xfsz_handler);
  file_size_limited = false;
}

bool host_make_folder_link(const std::string& link_path, const std::string& target_path) {
  return symlink(target_path.c_str(), link_path.c_str()) == 0;
}

bool host_remove_folder_link(const std::string& link_path) {
  return unlink(link_path.c_str()) == 0;
}

bool host_set_permissions(const std::string& path, unsigned mode) {
  return chmod(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

std::string host_unix_path(const std::string& path) { return path; }

bool host_run_shell_script(const std::string& script) {
  FILE* shell = popen("/bin/sh", "w");
  if (!shell) return false;
  const std::string wrapped = "set -e\n" + script + "\n";
  const bool written = fwrite(wrapped.data(), 1, wrapped.size(), shell) == wrapped.size();
  return pclose(shell) == 0 && written;
}

// Every descriptor of this process open on path gets a folder put in its place: the stream
// above it stays open, and its next read fails with EISDIR.
bool host_break_reads_of_open_file(const std::string& path) {
  char wanted[PATH_MAX];
  if (!realpath(path.c_str(), wanted)) return false;
  DIR* fds = opendir("/proc/self/fd");
  if (!fds) return false;
  bool broken = false;
  while (dirent* found = readdir(fds)) {
    char link[300], target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%s", found->d_name);
    ssize_t length = readlink(link, target, sizeof target - 1);
    if (length <= 0) continue;
    target[length] = '\0';
    if (strcmp(target, wanted) != 0) continue;
    int folder = open("/", O_RDONLY | O_DIRECTORY);
    if (folder < 0) continue;
    broken = dup2(folder, atoi(found->d_name)) >= 0 || broken;
    close(folder);
  }
  closedir(fds);
  return broken;
}

// The file moves aside and a folder that is not empty takes its name: removing that fails.
int host_block_deletion(const std::string& path) {
  std::string aside = path + ".aside";
  if (rename(path.c_str(), aside.c_str()) != 0) return 0;
  if (mkdir(path.c_str(), 0777) != 0) return 0;
  FILE* keeper = fopen((path + "/keeper").c_str(), "wb");
  if (!keeper) return 0;
  fclose(keeper);
  return ENOTEMPTY;
}

bool host_hold_file_locked(const std::string&) { return false; }

bool host_age_file(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  timespec times[2] = {info.st_atim, info.st_mtim};
  times[1].tv_sec -= 24 * 3600;
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

void host_release_blocks() {}
