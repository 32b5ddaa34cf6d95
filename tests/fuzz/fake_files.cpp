// In-memory files for the fuzzers; see fake_files.h.
#include "tests/fuzz/fake_files.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <new>
#include <set>

#include "platform/files.h"
#include "tests/fuzz/fake_tree.h"
#include "tests/fuzz/path_checks.h"

namespace {
std::vector<fake_event> calls;
std::set<std::string> written;  // canonical paths of files the engine made
std::set<std::string> made;     // canonical paths of folders the engine made
std::map<FILE*, std::string> opened_paths;  // the path each stream was opened at

char source_bytes[] = "abc";  // every source file reads as these three bytes
char written_bytes[4096];     // where the one open destination stream writes

void note(fake_call call, const std::string& path, const std::string& from = {}) {
  calls.push_back({call, path, from});
}

bool is_source_file(const std::string& path) {
  const std::string folder = folder_of(path);
  const fake_folder* found = fake_tree_find(folder);
  if (!found) return false;
  for (const fake_item& item : found->items)
    if (!item.is_folder && folder + item.name == path) return true;
  return false;
}

bool is_folder(const std::string& path) {
  return fake_tree_find(path) != nullptr || made.count(canonical(path)) != 0;
}

bool name_in_use(const std::string& path) {
  return written.count(canonical(path)) || is_source_file(path) || is_folder(path);
}

FILE* reading_stream(const char* bytes_of) {
  return fmemopen(const_cast<char*>(bytes_of), strlen(bytes_of), "rb");
}
}  // namespace

void fake_files_reset() {
  calls.clear();
  written.clear();
  made.clear();
  opened_paths.clear();
}

const std::vector<fake_event>& fake_files_log() { return calls; }

void fake_files_note_label(const std::string& text) { note(fake_call::label, text); }

struct folder_listing {
  std::vector<folder_entry> entries;
  size_t next;
};

folder_listing* folder_listing_open(const char* pattern) {
  note(fake_call::listing, pattern);
  const std::string text = pattern;
  const std::string wildcard = "*.*";
  if (text.size() < wildcard.size() || text.compare(text.size() - 3, 3, wildcard) != 0)
    return nullptr;
  const fake_folder* folder = fake_tree_find(text.substr(0, text.size() - 3));
  if (!folder || !folder->readable) return nullptr;
  auto* listing = new (std::nothrow) folder_listing{};
  if (!listing) return nullptr;
  listing->entries.push_back({".", true, 0});
  listing->entries.push_back({"..", true, 0});
  for (const fake_item& item : folder->items) {
    folder_entry entry{};
    snprintf(entry.name, sizeof entry.name, "%s", item.name.c_str());
    entry.is_folder = item.is_folder;
    entry.size = item.size;
    listing->entries.push_back(entry);
  }
  return listing;
}

bool folder_listing_next(folder_listing* listing, folder_entry* entry) {
  if (listing->next >= listing->entries.size()) return false;
  *entry = listing->entries[listing->next++];
  return true;
}

void folder_listing_close(folder_listing* listing) { delete listing; }

make_folder_result make_folder(const char* path) {
  note(fake_call::make_folder, path);
  if (is_folder(path)) return make_folder_result::exists;
  if (name_in_use(path)) return make_folder_result::failed;
  made.insert(canonical(path));
  return make_folder_result::made;
}

FILE* open_file_stream(const char* path, const char* mode) {
  if (strcmp(mode, "rb") != 0) {
    note(fake_call::open_write, path);
    return nullptr;  // the engine writes only through create_new_file_stream
  }
  note(fake_call::open_read, path);
  if (!is_source_file(path) && !written.count(canonical(path))) return nullptr;
  FILE* stream = reading_stream(source_bytes);
  if (stream) opened_paths[stream] = path;
  return stream;
}

// Source files all hold source_bytes, are as old as each other and never change while read.
bool stream_stamp(FILE*, file_stamp* stamp) {
  *stamp = {static_cast<int64_t>(strlen(source_bytes)), 0};
  return true;
}

// Source files are the only ones that could be read-only, and none is.
path_attributes path_attributes_of(const char* path) {
  note(fake_call::attributes, path);
  if (is_folder(path)) return {true, true, false};
  return {is_source_file(path) || written.count(canonical(path)) != 0, false, false};
}

FILE* create_new_file_stream(const char* path, bool* name_taken) {
  note(fake_call::create_new, path);
  *name_taken = name_in_use(path);
  if (*name_taken) return nullptr;
  written.insert(canonical(path));
  return fmemopen(written_bytes, sizeof written_bytes, "wb");
}

int delete_file(const char* path) {
  note(fake_call::delete_file, path);
  return written.erase(canonical(path)) ? 0 : ENOENT;
}

// No crash ever happens here: nothing is ever left over.
bool delete_abandoned_file(const char*) { return false; }

// No state folder: the job runs without a record of its temporaries.
bool user_temp_folder(char (&)[windows_path_size]) { return false; }
// The identity of the path the stream was opened at: no file is renamed while it is open.
bool stream_identity(FILE* stream, identity_scope scope, file_identity* identity) {
  const auto found = opened_paths.find(stream);
  return found != opened_paths.end() && get_file_identity(found->second.c_str(), scope, identity);
}

bool move_into_place(const char* temp_path, const char* final_path, bool replace,
                     bool* name_taken) {
  note(replace ? fake_call::replace : fake_call::move_new, final_path, temp_path);
  *name_taken = !replace && name_in_use(final_path);
  if (!written.count(canonical(temp_path)) || *name_taken) return false;
  written.erase(canonical(temp_path));
  written.insert(canonical(final_path));
  return true;
}

bool close_into_place(FILE* stream, const char* temp_path, const char* final_path, bool replace,
                      bool* name_taken) {
  fclose(stream);
  return move_into_place(temp_path, final_path, replace, name_taken);
}

// Folders by their tree identity; files by the folder their path names.
bool get_file_identity(const char* path, identity_scope, file_identity* identity) {
  if (const fake_folder* folder = fake_tree_find(path)) {
    *identity = {1, folder->identity, 0};
    return true;
  }
  if (!is_source_file(path) && !written.count(canonical(path))) return false;
  *identity = {2, std::hash<std::string>{}(canonical(path)), 0};
  return true;
}
