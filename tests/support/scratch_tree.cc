// Scratch trees on the host's file system; see scratch_tree.h.
#include "tests/support/scratch_tree.h"

#include <cstdio>

#include "platform/testing/host_tools.h"

namespace scratch {
namespace {
void collect(const std::string& host_folder, const std::string& relative, file_map* files,
             std::vector<std::string>* folders) {
  std::vector<host_entry> entries;
  host_list_folder(host_folder, entries);
  for (const host_entry& entry : entries) {
    std::string path = join(host_folder, entry.name);
    std::string name = relative.empty() ? entry.name : relative + "/" + entry.name;
    if (entry.is_folder) {
      if (folders) folders->push_back(name);
      collect(path, name, files, folders);
    } else if (files) {
      read_file(path, (*files)[name]);
    }
  }
}

std::string describe(const std::string& bytes) { return std::to_string(bytes.size()) + " bytes"; }
}  // namespace

std::string make_test_folder() {
  static int serial = 0;
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  for (;;) {
    std::string name = "ferrix-engine-" + std::to_string(host_process_id()) + "-" +
                       std::to_string(++serial) + "-" + (test ? test->name() : "test");
    for (char& c : name)
      if (c == '/') c = '-';  // parameterised test names carry a slash
    std::string path = join(host_temp_folder(), name);
    if (host_make_folder(path)) return path;
    if (serial > 100000) return {};
  }
}

void remove_tree(const std::string& host_path) { host_remove_tree(host_path); }

std::string join(const std::string& host_folder, const std::string& relative) {
  return host_folder + "/" + relative;
}

std::string engine_path(const std::string& host_path) {
  std::string path = host_path;
  for (char& c : path)
    if (c == '/') c = '\\';  // '/' is never part of a GBK character
  return path;
}

// Every level of the path, split only at '/': below the temporary folder our paths are joined
// with '/', and a Windows path's own backslashes may be second bytes of GBK characters.
void make_folders(const std::string& host_root, const std::string& relative) {
  std::string path = relative.empty() ? host_root : join(host_root, relative);
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    host_make_folder(path.substr(0, slash));
  host_make_folder(path);
}

void write_file(const std::string& host_path, const std::string& bytes) {
  FILE* file = fopen(host_path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << host_path;
  ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size()) << host_path;
  ASSERT_EQ(fclose(file), 0) << host_path;
}

bool read_file(const std::string& host_path, std::string& bytes) {
  bytes.clear();
  FILE* file = fopen(host_path.c_str(), "rb");
  if (!file) return false;
  char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  fclose(file);
  return true;
}

bool exists(const std::string& host_path) {
  FILE* file = fopen(host_path.c_str(), "rb");
  if (file) fclose(file);
  if (file) return true;
  std::vector<host_entry> entries;
  return host_list_folder(host_path, entries);
}

std::string pattern_bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 12345u;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>((state >> 16) ^ i);
  }
  return bytes;
}

void write_tree(const std::string& host_root, const file_map& files) {
  for (const auto& [relative, bytes] : files) {
    size_t slash = relative.rfind('/');
    make_folders(host_root, slash == std::string::npos ? "" : relative.substr(0, slash));
    write_file(join(host_root, relative), bytes);
  }
}

file_map read_tree(const std::string& host_root) {
  file_map files;
  collect(host_root, "", &files, nullptr);
  return files;
}

std::vector<std::string> folders_below(const std::string& host_root) {
  std::vector<std::string> folders;
  collect(host_root, "", nullptr, &folders);
  return folders;
}

testing::AssertionResult same_tree(const file_map& expected, const std::string& host_root) {
  file_map actual = read_tree(host_root);
  std::string differences;
  for (const auto& [name, bytes] : expected) {
    auto found = actual.find(name);
    if (found == actual.end())
      differences += "\n  missing: " + name;
    else if (found->second != bytes)
      differences += "\n  differs: " + name + " (" + describe(found->second) + ", expected " +
                     describe(bytes) + ")";
  }
  for (const auto& [name, bytes] : actual)
    if (!expected.count(name))
      differences += "\n  unexpected: " + name + " (" + describe(bytes) + ")";
  if (differences.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "tree " << host_root << ":" << differences;
}

}  // namespace scratch
