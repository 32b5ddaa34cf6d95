// Writing a job's settings file: the keys in table order, each value as plain text, then
// every key read back, because a profile write can report success for a file that did not
// change on disk.
#pragma once
#include <cstdint>

#include "core/job_state.h"

// Everything a save writes, gathered from the dialog first.
struct job_settings {
  int32_t source_count;  // 0 to max_sources
  char sources[max_sources][job_path_size];
  char dest[windows_path_size];
  int32_t overwrite_all;
  int32_t dont_notify;
  int32_t speed_position;
  int32_t verify;  // 1: every copy is read back and compared before it gets its name
};

enum class save_result {
  saved,
  value_not_storable,  // a value holds a line break; the file was left untouched
  not_written,         // a write failed, or a key did not read back as written
};

// False for a text that no profile line can carry (a CR or LF inside).
bool value_storable(const char* text);

// "verify" is written when it is on, and when off only over a file that holds the key, so that
// a stale verify=1 does not survive and a job without it saves as it always did.
save_result save_job_settings(const char* path, const job_settings& job);
