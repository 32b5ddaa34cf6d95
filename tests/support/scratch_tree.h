// Real folder trees for the engine's tests: a fresh folder per test, files with chosen bytes
// (GBK names included), and a byte-for-byte look at what a job left behind. Paths are the
// host's; engine_path gives the backslash form the engine takes.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace scratch {

// Relative path (joined with '/') to the file's bytes.
using file_map = std::map<std::string, std::string>;

// A new, empty folder private to this test.
std::string make_test_folder();
// Everything below and the folder itself.
void remove_tree(const std::string& host_path);

std::string join(const std::string& host_folder, const std::string& relative);
// The engine's form of a host path: natively "/tmp/x" is "\tmp\x"; under Windows the host
// path is one already.
std::string engine_path(const std::string& host_path);

// Creates every missing level of root and of relative (joined with '/') below it.
void make_folders(const std::string& host_root, const std::string& relative);
void write_file(const std::string& host_path, const std::string& bytes);
bool read_file(const std::string& host_path, std::string& bytes);
bool exists(const std::string& host_path);

// Reproducible contents in which every byte value occurs and no two seeds agree.
std::string pattern_bytes(size_t size, unsigned seed);

// Writes every file of files below root, creating its folders.
void write_tree(const std::string& host_root, const file_map& files);
// Every file below root with its bytes.
file_map read_tree(const std::string& host_root);
// Every folder below root, relative and joined with '/'.
std::vector<std::string> folders_below(const std::string& host_root);

// Exactly the expected files, byte for byte; a failure names each file that differs.
testing::AssertionResult same_tree(const file_map& expected, const std::string& host_root);

}  // namespace scratch
