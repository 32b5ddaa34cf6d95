// How one file's reads are paced and shown: the speed cap's pauses, Pause, the rate meter and
// the current file's bar. The copy's chunks and the checks of a verified job share them, so
// that a check costs on a capped link what its bytes cost, and Pause and Stop hold it alike.
#pragma once
#include <cstdint>

#include "engine/progress_bars.h"
#include "engine/rate_meter.h"
#include "engine/read_back_check.h"

// The loop's meter and bars, and the files not yet finished that the status line counts.
struct file_display {
  rate_meter& meter;
  progress_bars& bars;
  int32_t files_left;
};

// Holds the worker while the job is paused, the status line ticking.
void wait_while_paused(const file_display& display);

// One check's reads: the current file's bar runs from 0 to 100 of bytes_expected, each read is
// counted by the meter (the estimate includes it), paced by its bytes at the cap's speed, and
// held by Pause; Stop ends the check.
struct check_pace {
  const file_display& display;
  uint64_t bytes_expected;
  uint64_t bytes_done;
  int64_t carried;  // what the last pause left over of a millisecond
};

check_pace start_check_pace(const file_display& display, uint64_t bytes_expected);
read_back_pacing check_pacing(check_pace& pace);
