// Pacing and showing a file's reads.
#include "engine/file_pacing.h"

#include "core/job_state.h"
#include "engine/percent.h"
#include "engine/read_back_sizes.h"
#include "platform/clock.h"

namespace {
constexpr int pause_poll_ms = 50;

bool after_check_read(void* context, int32_t bytes) {
  check_pace& pace = *static_cast<check_pace*>(context);
  const file_display& display = pace.display;
  pace.bytes_done += static_cast<uint64_t>(bytes);
  rate_meter_chunk_done(display.meter, static_cast<uint32_t>(bytes), display.files_left);
  // A kept file longer than its source passes more bytes than expected: the bar stops at 100.
  const uint64_t expected = pace.bytes_expected;
  show_file_progress(display.bars,
                     percent_of(pace.bytes_done < expected ? pace.bytes_done : expected, expected));
  sleep_ms(read_back_pause_ms(bytes, load(job_state.chunk_size), load(job_state.chunk_delay_ms),
                              pace.carried));
  wait_while_paused(display);
  return load(job_state.running) != 0;
}
}  // namespace

void wait_while_paused(const file_display& display) {
  while (load(job_state.paused) && load(job_state.running)) {
    rate_meter_pause_tick(display.meter, display.files_left);
    sleep_ms(pause_poll_ms);
  }
}

check_pace start_check_pace(const file_display& display, uint64_t bytes_expected) {
  show_file_progress(display.bars, 0);
  return {display, bytes_expected, 0, 0};
}

read_back_pacing check_pacing(check_pace& pace) { return {after_check_read, &pace}; }
