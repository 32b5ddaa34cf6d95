// Destination paths: splitting, the relative folder, composition and temporary names.
#include "engine/dest_path.h"

#include <cstdio>
#include <cstring>

#include "core/gbk_text.h"
#include "platform/names.h"

void split_file_path(const char* path, path_pieces& pieces) {
  size_t drive = drive_length(path);
  snprintf(pieces.drive, sizeof pieces.drive, "%.*s", static_cast<int>(drive), path);
  const char* rest = path + drive;
  const char* last_backslash = gbk_last_backslash(rest);
  size_t folder = last_backslash ? static_cast<size_t>(last_backslash - rest) + 1 : 0;
  snprintf(pieces.folder, sizeof pieces.folder, "%.*s", static_cast<int>(folder), rest);
  snprintf(pieces.name, sizeof pieces.name, "%s", rest + folder);
}

const char* relative_folder_of(const char* drive_and_folder, const char* source) {
  size_t skip = strlen(source);
  size_t length = strlen(drive_and_folder);
  return drive_and_folder + (skip < length ? skip : length);
}

size_t compose_dest_path(const char* dest_root, const char* relative_folder, const char* name,
                         char* out, size_t out_size) {
  if (relative_folder[0] == '\\') ++relative_folder;
  int length = snprintf(out, out_size, "%s%s%s%s", dest_root,
                        gbk_ends_with_backslash(dest_root) ? "" : "\\", relative_folder, name);
  return length < 0 ? 0 : static_cast<size_t>(length);
}

namespace {
bool part_stays_in_place(const char* part, size_t length) {
  if (length == 0 || memchr(part, '/', length) != nullptr) return false;
  return !(length == 1 && part[0] == '.') && !(length == 2 && part[0] == '.' && part[1] == '.');
}
}  // namespace

bool stays_below_root(const char* relative_folder, const char* name) {
  if (relative_folder[0] == '\\') ++relative_folder;
  for (const char* part = relative_folder; *part;) {
    const char* end = gbk_next_backslash(part);
    if (!end) break;  // a relative folder ends with its backslash
    if (!part_stays_in_place(part, static_cast<size_t>(end - part))) return false;
    part = end + 1;
  }
  return gbk_next_backslash(name) == nullptr && part_stays_in_place(name, strlen(name));
}

bool next_folder_level(const char* dest_file_path, size_t& cursor, char (&level)[job_path_size]) {
  path_pieces pieces;
  split_file_path(dest_file_path, pieces);
  size_t folder_length = strlen(pieces.folder);
  if (cursor == 0 && folder_length > 0) cursor = gbk_character_length(pieces.folder);
  if (cursor >= folder_length) return false;
  const char* end = gbk_next_backslash(pieces.folder + cursor);
  if (!end) return false;
  cursor = static_cast<size_t>(end - pieces.folder) + 1;
  int length = snprintf(level, sizeof level, "%s%.*s", pieces.drive, static_cast<int>(cursor),
                        pieces.folder);
  return length > 0 && static_cast<size_t>(length) < sizeof level;
}

namespace {
constexpr char temp_prefix[] = "~f+";
constexpr size_t temp_prefix_length = sizeof temp_prefix - 1;
}  // namespace

bool is_temp_name(const char* name) {
  if (strlen(name) != temp_name_length || strncmp(name, temp_prefix, temp_prefix_length) != 0)
    return false;
  for (const char* digit = name + temp_prefix_length; *digit; ++digit)
    if (!strchr("0123456789abcdef", *digit)) return false;
  return true;
}

namespace {
// The folder, a backslash where it needs one, and the name, within `limit` characters.
bool join_temp_path(const char* folder, const char* separator, const char* name, size_t limit,
                    char (&temp_path)[windows_path_size]) {
  int length = snprintf(temp_path, sizeof temp_path, "%s%s%s", folder, separator, name);
  return length > 0 && static_cast<size_t>(length) <= limit;
}
}  // namespace

bool compose_temp_path(const char* dest_file_path, const char* dest_root, uint32_t number,
                       char (&temp_path)[windows_path_size]) {
  path_pieces pieces;
  split_file_path(dest_file_path, pieces);
  char name[temp_name_length + 1];
  snprintf(name, sizeof name, "%s%02x", temp_prefix, static_cast<unsigned>(number & 0xFF));
  char beside[windows_path_size];
  snprintf(beside, sizeof beside, "%s%s", pieces.drive, pieces.folder);
  const char* root_separator = gbk_ends_with_backslash(dest_root) ? "" : "\\";
  constexpr size_t any_form = job_path_size - 1, plain_form = windows_path_size - 1;
  if (!join_temp_path(beside, "", name, any_form, temp_path) &&
      !join_temp_path(dest_root, root_separator, name, any_form, temp_path) &&
      !join_temp_path(beside, "", name, plain_form, temp_path))
    return false;
  return !same_path_ignoring_case(temp_path, dest_file_path);
}
