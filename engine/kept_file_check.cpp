// Two streams read in step; the first difference ends the comparison.
#include "engine/kept_file_check.h"

#include <cstdio>
#include <cstring>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "platform/files.h"

namespace {
size_t comparison_chunk() {
  const int32_t chunk = load(job_state.chunk_size);
  const int32_t half = copy_buffer_size / 2;
  return static_cast<size_t>(chunk < 1 ? 1 : chunk < half ? chunk : half);
}

kept_file_result compare_streams(FILE* source, FILE* dest, read_back_pacing pacing) {
  uint8_t* source_bytes = job_data.copy_buffer;
  uint8_t* dest_bytes = job_data.copy_buffer + copy_buffer_size / 2;
  for (;;) {
    const size_t chunk = comparison_chunk();
    const size_t from_source = fread(source_bytes, 1, chunk, source);
    if (from_source < chunk && ferror(source)) return kept_file_result::source_unreadable;
    const size_t from_dest = fread(dest_bytes, 1, chunk, dest);
    if (from_dest < chunk && ferror(dest)) return kept_file_result::dest_unreadable;
    if (!pacing.after_read(pacing.context, static_cast<int32_t>(from_source + from_dest)))
      return kept_file_result::stopped;
    if (from_source != from_dest || memcmp(source_bytes, dest_bytes, from_source) != 0)
      return kept_file_result::different;
    if (from_source < chunk) return kept_file_result::same;
  }
}
}  // namespace

kept_file_result check_kept_file(const char* source_path, const char* dest_path,
                                 read_back_pacing pacing) {
  FILE* source = open_file_stream(source_path, "rb");
  if (!source) return kept_file_result::source_unreadable;
  FILE* dest = open_file_stream(dest_path, "rb");
  if (!dest) {
    fclose(source);
    return kept_file_result::dest_unreadable;
  }
  const kept_file_result result = compare_streams(source, dest, pacing);
  fclose(source);
  fclose(dest);
  return result;
}
