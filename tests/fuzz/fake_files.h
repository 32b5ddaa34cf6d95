// The fuzzers' backend of platform/files.h: listings come from the in-memory tree
// (fake_tree.h); what the copy loop writes lives in memory too. Every call is logged in order,
// so a fuzzer can check each path the engine hands to the file system.
#pragma once
#include <string>
#include <vector>

enum class fake_call {
  listing,
  make_folder,
  open_read,
  attributes,  // the exists test
  open_write,
  create_new,
  delete_file,
  replace,
  move_new,
  label
};

struct fake_event {
  fake_call call;
  std::string path;  // for replace and move_new: the name moved to
  std::string from;  // replace and move_new only
};

// Forgets the log and every file written; the tree is fake_tree_clear's.
void fake_files_reset();
const std::vector<fake_event>& fake_files_log();
// Puts a report of the worker into the log, between the calls it came between.
void fake_files_note_label(const std::string& text);
