// The lie is written through the writer's own stream after the true flush, and flushed in turn:
// the file really holds the changed bytes, as a device that mislaid a write does, and every
// reader (the read-back, the tests) sees them.
#include "platform/testing/lying_drive.h"

#include <atomic>
#include <cstdio>

#include "platform/read_back.h"

// The host backend's own flush, renamed by the build for this backend.
bool truthful_flush_written_file(FILE* stream);

namespace {
struct waiting_lie {
  std::atomic<bool> pending{false};
  int32_t offset = 0;
  int32_t count = 0;
  uint8_t stored = 0;
};
waiting_lie lie;

bool tell_the_lie(FILE* stream) {
  fpos_t end;
  if (fgetpos(stream, &end) != 0 || fseek(stream, lie.offset, SEEK_SET) != 0) return false;
  for (int32_t i = 0; i < lie.count; ++i)
    if (fputc(lie.stored, stream) == EOF) return false;
  return fsetpos(stream, &end) == 0 && truthful_flush_written_file(stream);
}
}  // namespace

void drive_lies_on_next_flush(int32_t offset, int32_t count, uint8_t stored) {
  lie.offset = offset;
  lie.count = count;
  lie.stored = stored;
  lie.pending.store(true);
}

bool drive_lie_pending() { return lie.pending.load(); }

void drive_tells_truth() { lie.pending.store(false); }

// The drive reports success whatever it did with the bytes.
bool flush_written_file(FILE* stream) {
  if (!truthful_flush_written_file(stream)) return false;
  if (lie.pending.exchange(false)) tell_the_lie(stream);
  return true;
}
