// Progress-bar positions: a share as a whole percentage, truncated toward zero.
#pragma once
#include <cstdint>

// part / whole * 100 in double precision, dividing first; 0 when whole is 0.
inline int32_t percent_of(uint64_t part, uint64_t whole) {
  if (whole == 0) return 0;
  return static_cast<int32_t>(static_cast<double>(part) / static_cast<double>(whole) * 100.0);
}
