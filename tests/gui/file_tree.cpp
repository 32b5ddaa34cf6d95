// Folders and files for the dialog tests.
#include "tests/gui/file_tree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace file_tree {
namespace {
// On drive C: itself: Wine's folder browser cannot walk down to folders below the user's
// profile (where the temporary folder lives), and the tests pick their folders in it.
std::string run_folder() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  char name[64];
  snprintf(name, sizeof name, "%c:\\ferrix-gui-%lu", windows[0], GetCurrentProcessId());
  return name;
}

void collect_files(const std::string& root, const std::string& relative,
                   std::vector<std::string>& files) {
  const std::string folder = relative.empty() ? root : root + "\\" + relative;
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      collect_files(root, path, files);
    else
      files.push_back(path);
  } while (FindNextFileA(listing, &entry));
  FindClose(listing);
}
// The run's scratch folder goes when the tests end, whatever they left in it.
class remove_run_folder : public testing::Environment {
  void TearDown() override { remove_tree(run_folder()); }
};
[[maybe_unused]] testing::Environment* const cleanup =
    testing::AddGlobalTestEnvironment(new remove_run_folder);
}  // namespace

std::string make_scratch_folder(const std::string& name) {
  const std::string folder = run_folder() + "\\" + name;
  remove_tree(folder);
  CreateDirectoryA(run_folder().c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool make_folder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool write_file(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}

bool read_file(const std::string& path, std::string& bytes) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes.clear();
  char chunk[4096];
  size_t count;
  while ((count = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, count);
  fclose(file);
  return true;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> files_below(const std::string& root) {
  std::vector<std::string> files;
  collect_files(root, "", files);
  std::sort(files.begin(), files.end());
  return files;
}

void remove_tree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
  }
  RemoveDirectoryA(path.c_str());
}

std::string pattern_bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>((state >> 16) ^ i);
  }
  return bytes;
}

}  // namespace file_tree
