// Reading a job's settings file through the profile seam.
#include "settings/read_settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/job_state.h"
#include "core/speed_scale.h"
#include "platform/profile.h"
#include "settings/settings_keys.h"

namespace {
// Far more key names than a saved job holds (at most 512 sources, plus 5 keys).
constexpr size_t key_list_size = 64 * 1024;

bool is_letter(char c, char lower) { return c == lower || c == lower - 'a' + 'A'; }

// Key names are ASCII here; the profile compares them without letter case.
bool same_key_name(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (!(*a == *b || ((*b >= 'a' && *b <= 'z') && is_letter(*a, *b)))) return false;
  return *a == *b;
}

// N for a key name that "src%d" produces for N (any letter case): no sign, no blanks, no
// leading zero, within int32.
bool source_index_of(const char* name, int32_t* index) {
  if (!is_letter(name[0], 's') || !is_letter(name[1], 'r') || !is_letter(name[2], 'c'))
    return false;
  const char* digits = name + 3;
  const size_t length = strlen(digits);
  if (length == 0 || length > 10 || (digits[0] == '0' && length > 1)) return false;
  int64_t value = 0;
  for (const char* c = digits; *c; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
  }
  if (value > INT32_MAX) return false;
  *index = static_cast<int32_t>(value);
  return true;
}

std::vector<char> key_names(const char* path) {
  std::vector<char> names(key_list_size);
  profile_list_keys(settings_section, names.data(), names.size(), path);
  return names;
}

std::vector<int32_t> present_source_indices(const char* path, int32_t source_count) {
  const std::vector<char> names = key_names(path);
  std::vector<int32_t> indices;
  for (const char* name = names.data(); *name; name += strlen(name) + 1) {
    int32_t index;
    if (source_index_of(name, &index) && index < source_count) indices.push_back(index);
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}
}  // namespace

int32_t read_source_count(const char* path) {
  return profile_read_int(settings_section, key_source_count, 0, path);
}

void read_sources(const char* path, int32_t source_count,
                  bool (*take)(void* context, const char* source), void* context) {
  if (source_count <= 0) return;
  for (int32_t index : present_source_indices(path, source_count)) {
    char key[source_key_size];
    snprintf(key, sizeof key, key_source_format, index);
    char value[settings_value_size];
    profile_read_text(settings_section, key, value, sizeof value, path);
    if (value[0] != '\0' && !take(context, value)) return;
  }
}

bool read_dest(const char* path, char (&buffer)[settings_value_size]) {
  profile_read_text(settings_section, key_dest, buffer, sizeof buffer, path);
  return strlen(buffer) < static_cast<size_t>(windows_path_size);
}

int32_t read_option(const char* path, const char* key) {
  return profile_read_int(settings_section, key, 0, path) == 1 ? 1 : 0;
}

int32_t read_speed_position(const char* path) {
  return profile_read_int(settings_section, key_speed, slider_start_position, path);
}

bool settings_hold_key(const char* path, const char* key) {
  const std::vector<char> names = key_names(path);
  for (const char* name = names.data(); *name; name += strlen(name) + 1)
    if (same_key_name(name, key)) return true;
  return false;
}
