// The worker's data for one job: process-wide, owned by one worker at a time, allocated when a
// job starts and released when its copy loop returns.
#pragma once
#include <cstdint>

struct list_entry;  // engine/file_list.h

constexpr int32_t copy_buffer_size = 2500000;

struct worker_job_data {
  int32_t start_seconds;  // clock_seconds() when the worker began: the job's duration counts from it
  uint8_t* copy_buffer;
  list_entry** file_list;
  int32_t file_count;
  uint64_t total_bytes;    // sizes of all listed files
  uint64_t sampled_bytes;  // sum of the rate meter's samples, standing for the bytes done
  // How the job's files ended, for its outcome: an error is a file not read or not written, a
  // file or folder the scan could not list, or memory that could not be had; a file kept
  // because it exists, or a twin of a copied file, is skipped.
  int32_t files_copied;
  int32_t files_skipped;
  int32_t errors;
  int32_t twins_skipped;  // of files_skipped
  int32_t kept_differing;  // of files_skipped: kept files whose contents are not their source's
  bool read_back_cached_said;  // the remark that copies are read back through the cache is made
};

extern worker_job_data job_data;
