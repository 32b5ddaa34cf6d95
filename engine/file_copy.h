// One file's pass through the copy loop, shared by the loop and its chunk copier.
#pragma once
#include <cstdint>
#include <cstdio>

#include "engine/content_hash.h"
#include "engine/dest_path.h"
#include "engine/file_list.h"
#include "engine/file_pacing.h"
#include "engine/temp_record.h"
#include "platform/files.h"

struct file_copy {
  char source_file_path[job_path_size];
  char dest_file_path[job_path_size];
  char temp_path[windows_path_size];  // where the copy is written until it is complete
  FILE* source_stream;
  file_stamp source_at_open;  // size and last-write time when its copy began: the file's size
  FILE* dest_stream;  // open on written_path(): temp_path, or the destination's name itself
  uint64_t file_bytes_copied;
  uint64_t check_bytes;  // read by a verified job's check: the copy read back, or a kept file
                         // and its source
  content_hash source_hash;  // of every byte read from the source, in a verified job
  bool dest_existed;  // the exists test found a file: the finished copy replaces it
  bool folder_made_by_job;  // so the exists test waits for the rename to find the name taken
  bool written_in_place;  // an empty source's copy, made under the destination's name
};

// Where the copy is being written.
inline const char* written_path(const file_copy& file) {
  return file.written_in_place ? file.dest_file_path : file.temp_path;
}

// How a file's pass through the copy loop ended. Every way but `abandoned` (Stop) counts on
// the job's end line, `skipped_twin` (a twin of a copied file) and `skipped_differing` (a kept
// file whose contents are not its source's) as skipped. `go_on` is no end: the checks so far
// let the copy proceed.
enum class file_outcome {
  copied, skipped, skipped_twin, skipped_differing, failed, abandoned, go_on
};

// The job's temporary names: the next number to try, which moves on past names in use, and
// the record that names the one in progress.
struct temp_names {
  uint32_t next_number;
  temp_record record;
};

// Opens the source, applies the exists test and the same-file guard (in a folder the job made,
// only once the rename finds the name taken), and creates the file the copy is written to (a
// temporary; for an empty source, the destination's name itself): `go_on` when both are open.
// Otherwise the file is skipped (it exists and may not be replaced; in a verified job after its
// comparison with the source) or failed, with its notice given and nothing left open. temps is
// the job's, from its first file to its last.
file_outcome open_file_streams(file_copy& file, temp_names& temps, const file_display& display);

// Copies the open file chunk by chunk, then either moves the finished copy into place (in a
// verified job once it has read back equal) or, on Stop or a failure, deletes it. Streams are
// closed on return.
file_outcome copy_file_chunks(file_copy& file, const file_display& display);
