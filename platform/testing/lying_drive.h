// Test backend of the read-back seam: the host's own, over a drive that lies once when told.
// The lie is what a failing drive, a bridge or a flash drive that wraps around does: every
// write and the flush succeed, and the file then holds other bytes in one write's place.
#pragma once
#include <cstdint>

// The next file made to write out (flush_written_file) gets count bytes at offset stored as
// `stored` each (0: a write the drive lost), once; the drive tells the truth after that.
void drive_lies_on_next_flush(int32_t offset, int32_t count, uint8_t stored);
// Whether a lie is still waiting for its flush.
bool drive_lie_pending();
// No lie is waiting any more.
void drive_tells_truth();
