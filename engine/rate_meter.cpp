// The rate meter: samples, running average, estimate and the two status lines.
#include "engine/rate_meter.h"

#include <cstdio>

#include "core/job_reports.h"
#include "core/job_state.h"
#include "engine/format_duration.h"
#include "engine/job_data.h"
#include "platform/clock.h"
#include "res/texts.h"

namespace {
enum class sample_result { none, first, later };

// Takes a sample ending at now; the equal-stamps test also keeps the division defined.
sample_result take_sample(rate_meter& meter, int32_t now, uint64_t& sample) {
  if (now == meter.sample_start_time) return sample_result::none;
  // Unsigned interval: a clock set back gives a huge interval and a sample of 0.
  uint32_t interval = static_cast<uint32_t>(now) - static_cast<uint32_t>(meter.sample_start_time);
  sample = meter.bytes_since_sample / interval;
  if (meter.first_sample) {
    meter.average_rate = sample;
    meter.first_sample = false;
    return sample_result::first;
  }
  meter.average_rate = (meter.average_rate + sample) >> 1;
  return sample_result::later;
}

double speed_figure(const rate_meter& meter) {
  // Thousands of bytes per second, in single precision as the figure has always been shown.
  float thousands = static_cast<float>(static_cast<int64_t>(meter.average_rate)) * 0.001f;
  return thousands;
}

void show_estimate(const rate_meter& meter) {
  if (meter.average_rate == 0) return;  // nothing to divide by: keep the last estimate
  // A file that grew after the scan can carry the samples past the total: nothing is left then.
  uint64_t left = job_data.total_bytes > job_data.sampled_bytes
                      ? job_data.total_bytes - job_data.sampled_bytes
                      : 0;
  int64_t remaining = static_cast<int64_t>(left);
  int64_t estimate = remaining / static_cast<int64_t>(meter.average_rate);
  char duration[duration_text_size];
  char line[128];
  snprintf(line, sizeof line, TEXT_ESTIMATE,
           format_duration(static_cast<int32_t>(estimate), duration));
  job_state.reports->estimate_line(line);
}

// The elapsed job time as text; the next sample interval starts now.
char* elapsed_text_at_new_interval(rate_meter& meter, char (&elapsed)[duration_text_size]) {
  int32_t now = clock_seconds();
  meter.sample_start_time = now;
  meter.bytes_since_sample = 0;
  return format_duration(now - meter.job_start_time, elapsed);
}
}  // namespace

void rate_meter_start(rate_meter& meter) {
  meter.job_start_time = clock_seconds();
  meter.average_rate = 0;
  meter.first_sample = true;
  meter.bytes_since_sample = 0;
}

void rate_meter_file_start(rate_meter& meter) { meter.sample_start_time = clock_seconds(); }

void rate_meter_chunk_done(rate_meter& meter, uint32_t bytes_read, int32_t files_left) {
  meter.bytes_since_sample += bytes_read;
  uint64_t sample = 0;
  sample_result taken = take_sample(meter, clock_seconds(), sample);
  if (taken == sample_result::none) return;
  job_data.sampled_bytes += sample;
  if (taken == sample_result::later) show_estimate(meter);

  char elapsed[duration_text_size];
  char line[160];
  snprintf(line, sizeof line, TEXT_SPEED_LINE, elapsed_text_at_new_interval(meter, elapsed),
           speed_figure(meter), files_left);
  job_state.reports->status_line(line);
}

void rate_meter_pause_tick(rate_meter& meter, int32_t files_left) {
  uint64_t sample = 0;
  if (take_sample(meter, clock_seconds(), sample) == sample_result::none) return;

  char elapsed[duration_text_size];
  char line[160];
  snprintf(line, sizeof line, TEXT_PAUSED_LINE, elapsed_text_at_new_interval(meter, elapsed),
           speed_figure(meter), files_left);
  job_state.reports->status_line(line);
  job_state.reports->estimate_line("");
}
