// The read-back of one temporary, through the copy buffer: no allocation per file.
#include "engine/read_back_check.h"

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/read_back_sizes.h"

namespace {
// Reads the open file to its end, hashing it; stopped or failed leave the hash unfinished.
read_back_result hash_read_back(read_back_file* file, content_hash& hash,
                                read_back_pacing pacing) {
  const buffer_slice slice = sector_aligned_slice(job_data.copy_buffer, copy_buffer_size);
  for (;;) {
    const int32_t size = read_back_read_size(load(job_state.chunk_size), slice.size);
    if (size == 0) return read_back_result::failed;
    const int32_t got = read_back_read(file, slice.start, size);
    if (got < 0) return read_back_result::failed;
    content_hash_add(hash, slice.start, static_cast<size_t>(got));
    if (!pacing.after_read(pacing.context, got)) return read_back_result::stopped;
    if (got < size) return read_back_result::same;
  }
}
}  // namespace

read_back_result check_temp_file(FILE* stream, const char* temp_path,
                                 const content_digest& source_hash, read_back_pacing pacing,
                                 read_back_source* source) {
  if (!flush_written_file(stream)) return read_back_result::failed;
  read_back_file* file = read_back_open(temp_path, source);
  if (!file) return read_back_result::failed;
  static content_hash hash;  // the worker's one file at a time; 640 bytes off its stack
  content_hash_start(hash);
  const read_back_result read = hash_read_back(file, hash, pacing);
  read_back_close(file);
  if (read != read_back_result::same) return read;
  return same_content(content_hash_finish(hash), source_hash) ? read_back_result::same
                                                              : read_back_result::different;
}
