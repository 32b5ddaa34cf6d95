// The latest current file and bar positions the worker has reported, kept until the dialog's
// next refresh takes them. The worker never waits for the dialog's thread to show them, and
// the dialog shows only the newest value of each, however many came in between.
#pragma once
#include <cstdint>

#include "core/limits.h"

struct display_changes {
  bool has_current_file;
  char current_file[composed_path_size];
  int32_t file_progress;     // -1: unchanged since the last take
  int32_t overall_progress;  // -1: unchanged since the last take
};

void post_current_file(const char* dest_path);
void post_file_progress(int32_t percent);
void post_overall_progress(int32_t percent);

// What was posted since the last take, each value only in its newest form; false when
// nothing was. Safe to call from any thread.
bool take_display_changes(display_changes& changes);
