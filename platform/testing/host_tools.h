// What tests need from the host beyond the engine's own seam: building and reading real folder
// trees, and provoking the failures a job must survive. One backend per host; a provocation
// the host cannot produce returns false (or 0) so that the test can skip and say why.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct host_entry {
  std::string name;
  bool is_folder;
};

// A folder for scratch trees (no trailing separator) and a number unique to this process.
std::string host_temp_folder();
int host_process_id();
// Gives this process another temporary folder, as a user's system names it (TMPDIR; TMP and
// TEMP on Windows), for what the program finds in it; empty gives back the one it started with.
void host_set_temp_folder(const std::string& folder);

bool host_make_folder(const std::string& path);
// Entries of a folder, without "." and ".."; a link to a folder counts as a folder.
bool host_list_folder(const std::string& path, std::vector<host_entry>& entries);
// Removes a tree without following links out of it.
void host_remove_tree(const std::string& path);
// A file of the given size whose bytes are not written (sparse where the host allows).
bool host_make_sized_file(const std::string& path, uint64_t size);

// Files of this process cannot grow past the limit; writes beyond it fail instead of killing
// the process. Lifted again by host_lift_file_size_limit.
bool host_limit_file_size(uint64_t bytes);
void host_lift_file_size_limit();

// A link at link_path that leads to the folder target_path.
bool host_make_folder_link(const std::string& link_path, const std::string& target_path);
// Removes the link itself, never what it leads to.
bool host_remove_folder_link(const std::string& link_path);

// The Unix permission bits of path set as chmod sets them; false where the host has none.
// Under Wine the change is seen through the read-only attribute, so each change must take away
// every write bit (0000, 0444, 0555) or give one back (0644, 0755). Whether the bits bind is
// the host's affair: root reads and writes regardless.
bool host_set_permissions(const std::string& path, unsigned mode);

// The host's Unix name of path (Wine's own conversion; the path itself on POSIX); empty where
// there is no Unix side.
std::string host_unix_path(const std::string& path);
// Runs a shell script on the Unix side, stopping at its first failing command, and waits for
// its end; true if every command succeeded. It makes what a Windows program cannot: names with
// a backslash or a '*', twins that differ only in case, thousands of files at once. False
// where there is no Unix side.
bool host_run_shell_script(const std::string& script);
// text as one word of a shell command, whatever it holds.
inline std::string host_shell_word(const std::string& text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// Reads of the file at path through streams already open on it fail from now on.
bool host_break_reads_of_open_file(const std::string& path);

// The file at path is held open by this process without sharing, as another program may hold
// a file, until host_release_blocks; false where the host has no such locks.
bool host_hold_file_locked(const std::string& path);

// The file's last-write time is set a day back, so that a write now gives it another one
// whatever the file system clock's tick.
bool host_age_file(const std::string& path);

// Deleting the file at path fails until host_release_blocks; returns the errno the deletion
// will report, 0 if the host cannot do this.
int host_block_deletion(const std::string& path);
void host_release_blocks();
