// The slider's exponential scale.
#include "core/speed_scale.h"

#include <cmath>

int32_t speed_from_position(int32_t position) {
  // The step is the single-precision 0.0001, widened: saved slider positions depend on
  // exactly this scale.
  const double exponent = static_cast<double>(position) * static_cast<double>(0.0001f);
  const double speed = std::exp(exponent);
  // Clamp before converting so that no position can overflow the integer.
  if (speed >= unlimited_speed) return unlimited_speed;
  const int32_t truncated = static_cast<int32_t>(speed);
  return truncated <= min_speed_limit ? min_speed_limit : truncated;
}

chunk_pace pace_for_limit(int32_t speed_limit) {
  constexpr int32_t limited_chunk_delay_ms = 100;
  return {speed_limit / 10, speed_limit == unlimited_speed ? 0 : limited_chunk_delay_ms};
}
