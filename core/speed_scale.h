// The speed slider's scale: positions map exponentially onto bytes per second, and the top
// position means unlimited. Portable, so the settings code and the tests share it.
#pragma once
#include <cstdint>

constexpr int32_t slider_min_position = 62383;
constexpr int32_t slider_max_position = 161181;
constexpr int32_t slider_start_position = 92341;

constexpr int32_t min_speed_limit = 512;
constexpr int32_t unlimited_speed = 10000000;  // also the highest limit

// Bytes per second for a slider position: e^(position x 0.0001), truncated, kept within
// min_speed_limit..unlimited_speed.
int32_t speed_from_position(int32_t position);

// How the worker keeps to a limit: a tenth of it per chunk and a pause of 100 ms after each,
// so ten chunks a second; unlimited, chunks of the same rule and no pause.
struct chunk_pace {
  int32_t chunk_size;
  int32_t chunk_delay_ms;
};
chunk_pace pace_for_limit(int32_t speed_limit);
