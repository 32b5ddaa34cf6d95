// The check of a kept file: with verification on, a destination file kept because it exists
// is compared with its source by reading both, so that a run never counts as proven a file
// that does not hold its source's contents.
#pragma once

#include "engine/read_back_check.h"

enum class kept_file_result {
  same,
  different,          // other bytes, or another length
  source_unreadable,  // the source could not be opened or read
  dest_unreadable,    // the kept file could not be opened or read
  stopped,            // pacing asked to stop (Stop): nothing is decided
};

// Reads both files side by side through the two halves of job_data.copy_buffer, each read the
// speed cap's chunk (at most half the buffer); pacing.after_read gets the bytes of both reads.
kept_file_result check_kept_file(const char* source_path, const char* dest_path,
                                 read_back_pacing pacing);
