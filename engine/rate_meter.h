// Measures the copy's speed once per clock second, estimates the time left and writes the two
// status lines. Called only by the copy loop, on the worker's thread.
#pragma once
#include <cstdint>

// Rates and byte counts are 64-bit so that page-cache speeds beyond 2 GB/s neither wrap nor
// turn negative; below 2^31 bytes per second they behave exactly as 32-bit counts would.
struct rate_meter {
  int32_t job_start_time;
  int32_t sample_start_time;
  uint64_t bytes_since_sample;
  uint64_t average_rate;  // bytes per second
  bool first_sample;
};

void rate_meter_start(rate_meter& meter);
void rate_meter_file_start(rate_meter& meter);
void rate_meter_chunk_done(rate_meter& meter, uint32_t bytes_read, int32_t files_left);
void rate_meter_pause_tick(rate_meter& meter, int32_t files_left);
