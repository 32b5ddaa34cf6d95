// Sector rounding for the read-back.
#include "engine/read_back_sizes.h"

#include <cstdint>

namespace {
int32_t whole_sectors_below(int64_t bytes) {
  return static_cast<int32_t>(bytes / read_back_sector_size * read_back_sector_size);
}
}  // namespace

buffer_slice sector_aligned_slice(uint8_t* buffer, int32_t size) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(buffer);
  const int32_t past_boundary = static_cast<int32_t>(address % read_back_sector_size);
  const int32_t skipped = past_boundary == 0 ? 0 : read_back_sector_size - past_boundary;
  if (size <= skipped) return {buffer, 0};
  return {buffer + skipped, whole_sectors_below(size - skipped)};
}

int32_t read_back_read_size(int32_t cap_chunk, int32_t slice_size) {
  const int32_t most = whole_sectors_below(slice_size);
  if (most <= 0) return 0;
  if (cap_chunk >= most) return most;
  const int32_t rounded_up = whole_sectors_below(int64_t{cap_chunk} + read_back_sector_size - 1);
  return rounded_up < read_back_sector_size ? read_back_sector_size : rounded_up;
}

int32_t read_back_pause_ms(int32_t bytes, int32_t cap_chunk, int32_t delay_ms, int64_t& carried) {
  if (cap_chunk < 1 || delay_ms <= 0) return 0;
  const int64_t owed = carried + int64_t{bytes} * delay_ms;  // in ms x cap_chunk
  carried = owed % cap_chunk;
  return static_cast<int32_t>(owed / cap_chunk);
}
