// The check of a verified copy: once its last byte is in the temporary, the system is made to
// write it out, the temporary is read back through a second handle, and what it gives back is
// hashed and compared with the hash of what was read from the source. Before the rename: a
// copy that differs never gets the destination's name.
#pragma once
#include <cstdint>
#include <cstdio>

#include "engine/content_hash.h"
#include "platform/read_back.h"

enum class read_back_result {
  same,       // the temporary holds what was read from the source
  different,  // it gives back other bytes, or another count of them
  failed,     // the flush, the second open or a read failed
  stopped,    // after_read asked to stop (Stop): nothing is decided
};

// What the caller does between reads, as between the copy's chunks: pace by the bytes read,
// show progress, hold while paused. False stops the read-back.
struct read_back_pacing {
  bool (*after_read)(void* context, int32_t bytes);
  void* context;
};

// stream: the temporary's writer, still open (the caller closes it into place or deletes it);
// source_hash: every byte read from the source. Reads into a sector-aligned slice of
// job_data.copy_buffer, each read the speed cap's chunk rounded to whole sectors. *source
// says where the bytes came from once the second handle is open (the log says so once per job
// where it was the cache).
read_back_result check_temp_file(FILE* stream, const char* temp_path,
                                 const content_digest& source_hash, read_back_pacing pacing,
                                 read_back_source* source);
