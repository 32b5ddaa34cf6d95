// Folders and files for the dialog tests: a scratch folder per test, trees to copy, and what
// arrived at the destination. Paths are GBK, backslash-separated.
#pragma once
#include <string>
#include <vector>

namespace file_tree {

// An empty folder of this name in a scratch folder of this test run, on the system drive.
std::string make_scratch_folder(const std::string& name);
bool make_folder(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
bool read_file(const std::string& path, std::string& bytes);
bool exists(const std::string& path);
// Every file below root, as paths relative to it, sorted.
std::vector<std::string> files_below(const std::string& root);
void remove_tree(const std::string& path);
// Distinct, reproducible contents: every byte value occurs, and no two seeds agree.
std::string pattern_bytes(size_t size, unsigned seed);

}  // namespace file_tree
