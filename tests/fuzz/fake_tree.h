// An in-memory folder tree for the fuzzers, and what a scan of it must list. Folders are found
// by the folder their path names (canonical, see path_checks.h), as on a real volume, so a
// prefix the scan builds wrongly lists whatever that wrong path names, or nothing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct fake_item {
  std::string name;  // whole GBK characters; a backslash, "/", "." or ".." only to be refused
  bool is_folder;
  uint64_t size;  // files only
};

struct fake_folder {
  uint64_t identity;
  bool readable;
  std::string link_target;  // a link: lists (and is) the folder of this key
  std::vector<fake_item> items;
};

void fake_tree_clear();

// The folder named by path (canonical key), created empty and readable when new.
fake_folder& fake_tree_folder(const std::string& path);
// The folder itself, or what a link leads to; null when path names no folder.
const fake_folder* fake_tree_find(const std::string& path);

// Adds an item to the folder named by folder_path unless the name is taken there. A new
// subfolder is created too. Returns false when the name was taken.
bool fake_tree_add_file(const std::string& folder_path, const std::string& name, uint64_t size);
bool fake_tree_add_folder(const std::string& folder_path, const std::string& name);
// A subfolder of folder_path that leads to the folder target_path (one of its ancestors).
bool fake_tree_add_link(const std::string& folder_path, const std::string& name,
                        const std::string& target_path);

// Every folder key, in creation order (for building on a random one).
const std::vector<std::string>& fake_tree_folder_keys();

// What scanning the roots in order must give.
struct expected_entry {
  std::string path;
  int32_t slot;
  std::vector<std::string> below_source;  // the folders below its source, then the name
  uint64_t size;
};
struct expected_scan {
  std::vector<expected_entry> entries;  // in listing order
  std::vector<std::string> refused;     // paths not listed (too long, unlistable, a name that
                                        // leads elsewhere), in listing order
  std::vector<std::string> patterns;    // every listing opened, in order
  uint64_t total_bytes = 0;
};

// Every file lies at its folder's prefix (the root's place below it, then each folder name and
// a backslash) followed by its name, and is listed when that path has at most 255 characters
// and so has every folder prefix on its way. A root ending in a cut-off character has no
// place below it and lists nothing; a folder met again below itself is not entered.
expected_scan expect_scan(const std::vector<std::string>& roots);
