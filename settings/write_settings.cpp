// Writing a job's settings file through the profile seam.
#include "settings/write_settings.h"

#include <cstdio>
#include <cstring>

#include "platform/profile.h"
#include "settings/read_settings.h"
#include "settings/settings_keys.h"

namespace {
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
bool is_quote(char c) { return c == '"' || c == '\''; }

// A reader drops blanks around a value and one pair of quotes around it; such a value is
// wrapped in double quotes, which the reader removes again. All others are written raw.
void encode_value(const char* text, char* out, size_t size) {
  const size_t length = strlen(text);
  const bool wrap = length > 0 && (is_blank(text[0]) || is_blank(text[length - 1]) ||
                                   (is_quote(text[0]) && is_quote(text[length - 1])));
  snprintf(out, size, wrap ? "\"%s\"" : "%s", text);
}

int32_t stored_source_count(const job_settings& job) {
  if (job.source_count < 0) return 0;
  return job.source_count > max_sources ? max_sources : job.source_count;
}

// Calls write_one(key, value) for each key in table order until it returns false; "verify"
// only when with_verify is set.
template <typename visit_key>
bool for_each_key(const job_settings& job, bool with_verify, visit_key write_one) {
  char number[16];
  snprintf(number, sizeof number, "%d", stored_source_count(job));
  if (!write_one(key_source_count, number)) return false;
  for (int32_t i = 0; i < stored_source_count(job); ++i) {
    char key[source_key_size];
    snprintf(key, sizeof key, key_source_format, i);
    if (!write_one(key, job.sources[i])) return false;
  }
  if (!write_one(key_dest, job.dest)) return false;
  snprintf(number, sizeof number, "%d", job.overwrite_all);
  if (!write_one(key_overwrite_all, number)) return false;
  snprintf(number, sizeof number, "%d", job.dont_notify);
  if (!write_one(key_dont_notify, number)) return false;
  snprintf(number, sizeof number, "%d", job.speed_position);
  if (!write_one(key_speed, number)) return false;
  return !with_verify || write_one(key_verify, job.verify == 1 ? "1" : "0");
}
}  // namespace

bool value_storable(const char* text) { return strpbrk(text, "\r\n") == nullptr; }

save_result save_job_settings(const char* path, const job_settings& job) {
  // Refuse before writing anything: a line break would split the file's lines.
  const bool with_verify = job.verify == 1 || settings_hold_key(path, key_verify);
  if (!for_each_key(job, with_verify, [](const char*, const char* value) { return value_storable(value); }))
    return save_result::value_not_storable;
  const bool written = for_each_key(job, with_verify, [path](const char* key, const char* value) {
    char encoded[settings_value_size];
    encode_value(value, encoded, sizeof encoded);
    return profile_write_text(settings_section, key, encoded, path);
  });
  if (!written) return save_result::not_written;
  const bool read_back = for_each_key(job, with_verify, [path](const char* key, const char* value) {
    char found[settings_value_size];
    profile_read_text(settings_section, key, found, sizeof found, path);
    return strcmp(found, value) == 0;
  });
  return read_back ? save_result::saved : save_result::not_written;
}
