// One file's pass through the copy loop, shared by the loop and its chunk copier.
#pragma once
#include <cstdint>
#include <cstdio>

#include "engine/dest_path.h"
#include "engine/file_list.h"
#include "engine/progress_bars.h"
#include "engine/rate_meter.h"
#include "engine/temp_record.h"
#include "platform/files.h"

struct file_copy {
  char source_file_path[job_path_size];
  char dest_file_path[job_path_size];
  char temp_path[windows_path_size];  // where the copy is written until it is complete
  FILE* source_stream;
  file_stamp source_at_open;  // size and last-write time when its copy began: the file's size
  FILE* dest_stream;  // open on temp_path
  uint64_t file_bytes_copied;
  bool dest_existed;  // the exists test found a file: the finished copy replaces it
};

// How a file's pass through the copy loop ended. Every way but `abandoned` (Stop) counts on
// the job's end line, `skipped_twin` (a twin of a copied file) as skipped. `go_on` is no end:
// the checks so far let the copy proceed.
enum class file_outcome { copied, skipped, skipped_twin, failed, abandoned, go_on };

// The job's temporary names: the next number to try, which moves on past names in use, and
// the record that names the one in progress.
struct temp_names {
  uint32_t next_number;
  temp_record record;
};

// Opens the source, applies the exists test and the same-file guard, and creates the
// temporary file: `go_on` when both are open. Otherwise the file is skipped (it exists and
// may not be replaced) or failed, with its notice given and nothing left open. temps is the
// job's, from its first file to its last.
file_outcome open_file_streams(file_copy& file, temp_names& temps);

// Copies the open file chunk by chunk, then either moves the finished copy into place or, on
// Stop or a failure, deletes it. Streams are closed on return.
file_outcome copy_file_chunks(file_copy& file, rate_meter& meter, progress_bars& bars,
                              int32_t files_left);
