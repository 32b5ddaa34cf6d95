// The read-back's sizes. A read that bypasses the system's cache (Windows: FILE_FLAG_NO_BUFFERING)
// takes a buffer that starts at a sector boundary and a length of whole sectors, and is refused
// otherwise; Wine does not refuse, so these rules are held here and tested on their own.
#pragma once
#include <cstdint>

// Covers both sector sizes a disk has (512 and 4096 bytes).
constexpr int32_t read_back_sector_size = 4096;

struct buffer_slice {
  uint8_t* start;
  int32_t size;  // whole sectors; 0 when the buffer holds no aligned sector
};

// The longest part of buffer (size bytes) that starts at a sector boundary and is whole
// sectors long: the read-back reads into the copy buffer and needs no memory of its own.
buffer_slice sector_aligned_slice(uint8_t* buffer, int32_t size);

// The length of one read-back read for the speed cap's chunk: rounded up to whole sectors (an
// unbuffered read cannot take 51 bytes), at least one sector, at most the slice. 0 when the
// slice holds no sector.
int32_t read_back_read_size(int32_t cap_chunk, int32_t slice_size);

// The pause owed after a read-back read of `bytes` at the cap's pace (cap_chunk bytes, then
// delay_ms), so that a capped link carries the read-back's bytes at the copy's speed although
// its reads are whole sectors. What a whole millisecond leaves over is carried to the next
// read in `carried` (0 at a file's start): a file's reads add up to the exact time.
int32_t read_back_pause_ms(int32_t bytes, int32_t cap_chunk, int32_t delay_ms, int64_t& carried);
