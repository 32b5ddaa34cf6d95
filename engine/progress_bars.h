// The two progress bars as the copy loop last set them in this job. A position a bar shows
// already is not sent again: a job of small files would otherwise send the current-file bar
// 100 twice per file (after its one chunk and at its end) and the all-files bar once per file,
// each a report for the dialog to take, for no visible change.
#pragma once
#include <cstdint>

struct progress_bars {
  int32_t file_shown = -1;  // -1: not set by this loop yet, so the first position always goes
  int32_t all_shown = -1;
};

void show_file_progress(progress_bars& bars, int32_t percent);
void show_all_progress(progress_bars& bars, int32_t percent);
