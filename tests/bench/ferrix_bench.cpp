// Times one real job of ferrix.exe from outside, as a user would run it: the job comes from a
// settings file through Load and the open dialog, Start is clicked, and the clock stops when the
// completion text appears. Prints key=value lines for scripts/bench.
//
//   ferrix_bench.exe SETTINGS-FILE [--sample-speed] [--probe-dialog] [--stop-after SECONDS]
//   ferrix_bench.exe --position-for BYTES-PER-SECOND
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <vector>

#include "core/speed_scale.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/ferrix_driver.h"

namespace {
constexpr int poll_ms = 5;             // cheap: a read of the text the window system keeps
constexpr int probe_every_ms = 50;     // dialog answer probes
constexpr int sample_every_ms = 1000;  // the status line changes about once a second
constexpr int job_timeout_ms = 3 * 60 * 60 * 1000;

struct bench_options {
  const char* settings_path = nullptr;
  bool sample_speed = false;
  bool probe_dialog = false;
  double stop_after_seconds = -1;  // Stop this long after the first file; -1: run to the end
};

struct run_figures {
  double seconds = -1;
  double first_file_seconds = -1;
  std::vector<double> answer_ms;
  std::vector<double> speed_samples;  // kb/s as the status line shows it
  SIZE_T peak_working_set = 0;
  SIZE_T peak_pagefile = 0;
  double cpu_seconds = -1;  // user and kernel time of the whole process
};

double now_seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The smallest slider position whose limit reaches the wanted one.
int position_for(long long bytes_per_second) {
  for (int32_t position = slider_min_position; position <= slider_max_position; ++position)
    if (speed_from_position(position) >= bytes_per_second) return position;
  return slider_max_position;
}

bool load_settings(driver::ferrix_process& ferrix, const char* settings_path) {
  driver::post_click(ferrix.dialog, IDC_LOAD);
  HWND file_dialog = driver::wait_for_window_of(ferrix, TEXT_LOAD_TITLE);
  if (file_dialog == nullptr) return false;
  HWND edit = driver::file_name_edit(file_dialog);
  if (edit == nullptr) return false;
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(settings_path));
  PostMessageA(GetDlgItem(file_dialog, IDOK), BM_CLICK, 0, 0);
  if (!driver::wait_until_gone(file_dialog)) return false;
  return driver::wait_until([&] { return driver::is_enabled(ferrix.dialog, IDC_START_STOP) &&
                                         !driver::list_entries(ferrix.dialog).empty(); });
}

// Round trip of a message through the dialog's thread, in milliseconds.
double answer_time_ms(HWND dialog) {
  const double start = now_seconds();
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  return (now_seconds() - start) * 1000.0;
}

// The average speed figure of the status line ("... : 123.45 kb/..."), or -1.
double speed_in_status(const std::string& line) {
  const size_t colon = line.find(" : ");
  if (colon == std::string::npos) return -1;
  return strtod(line.c_str() + colon + 3, nullptr);
}

// A clean job ends on TEXT_ALL_DONE in every build, so the bench can drive earlier ones too;
// a stopped one ends on TEXT_JOB_STOPPED, or on TEXT_ALL_DONE in builds older than that text.
bool is_end_line(const std::string& line, bool stopped) {
  return line == TEXT_ALL_DONE || (stopped && line == TEXT_JOB_STOPPED);
}

// A job that skipped or failed files ends on its counts: a failed run, not a time.
bool is_summary_line(const std::string& line) {
  constexpr std::string_view format = TEXT_JOB_SUMMARY;
  return line.starts_with(format.substr(0, format.find('%')));  // the text before the counts
}

bool run_job(driver::ferrix_process& ferrix, const bench_options& options, run_figures& figures) {
  HWND dialog = ferrix.dialog;
  HWND done_label = driver::control(dialog, IDC_ESTIMATE_LINE);
  HWND file_label = driver::control(dialog, IDC_CURRENT_FILE);
  HWND status_label = driver::control(dialog, IDC_STATUS_LINE);
  const double start = now_seconds();
  driver::click(dialog, IDC_START_STOP);
  double next_probe = start;
  double next_sample = start + sample_every_ms / 1000.0;
  std::string last_status;
  bool stopped = false;
  for (;;) {
    const double now = now_seconds();
    if (figures.first_file_seconds < 0 && !driver::kept_text_of(file_label).empty())
      figures.first_file_seconds = now - start;
    const std::string end_line = driver::kept_text_of(done_label);
    if (is_end_line(end_line, stopped)) {
      figures.seconds = now - start;
      break;
    }
    if (is_summary_line(end_line)) {
      fprintf(stderr, "the job did not copy every file: %s\n", end_line.c_str());
      return false;
    }
    if (now - start > job_timeout_ms / 1000.0) {
      fprintf(stderr, "the job did not finish in time\n");
      return false;
    }
    if (options.stop_after_seconds >= 0 && figures.first_file_seconds >= 0 && !stopped &&
        now - start - figures.first_file_seconds >= options.stop_after_seconds) {
      driver::click(dialog, IDC_START_STOP);  // Stop: the job ends on its stop line
      stopped = true;
    }
    if (options.probe_dialog && now >= next_probe) {
      figures.answer_ms.push_back(answer_time_ms(dialog));
      next_probe = now + probe_every_ms / 1000.0;
    }
    if (options.sample_speed && now >= next_sample) {
      const std::string status = driver::kept_text_of(status_label);
      // Only a new line is a new sample: the meter writes at most once per second.
      if (status != last_status) {
        const double speed = speed_in_status(status);
        if (speed >= 0) figures.speed_samples.push_back(speed);
        last_status = status;
      }
      next_sample += sample_every_ms / 1000.0;
    }
    Sleep(poll_ms);
  }
  FILETIME created, ended, kernel, user;
  if (GetProcessTimes(ferrix.info.hProcess, &created, &ended, &kernel, &user)) {
    const auto ticks = [](const FILETIME& t) {
      return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    figures.cpu_seconds = ticks(kernel) + ticks(user);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(ferrix.info.hProcess, &memory, sizeof memory)) {
    figures.peak_working_set = memory.PeakWorkingSetSize;
    figures.peak_pagefile = memory.PeakPagefileUsage;
  }
  return true;
}

double median_of(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void print_figures(const run_figures& figures) {
  printf("seconds=%.3f\n", figures.seconds);
  printf("first_file_seconds=%.3f\n", figures.first_file_seconds);
  printf("cpu_seconds=%.3f\n", figures.cpu_seconds);
  printf("peak_working_set_bytes=%llu\n",
         static_cast<unsigned long long>(figures.peak_working_set));
  printf("peak_pagefile_bytes=%llu\n", static_cast<unsigned long long>(figures.peak_pagefile));
  if (!figures.answer_ms.empty()) {
    printf("answer_probes=%u\n", static_cast<unsigned>(figures.answer_ms.size()));
    printf("worst_answer_ms=%.1f\n",
           *std::max_element(figures.answer_ms.begin(), figures.answer_ms.end()));
    printf("median_answer_ms=%.2f\n", median_of(figures.answer_ms));
  }
  if (!figures.speed_samples.empty()) {
    printf("speed_samples=");
    for (size_t i = 0; i < figures.speed_samples.size(); ++i)
      printf(i ? ",%.2f" : "%.2f", figures.speed_samples[i]);
    printf("\n");
  }
}

bool parse_options(int argc, char** argv, bench_options& options) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--sample-speed") == 0)
      options.sample_speed = true;
    else if (strcmp(argv[i], "--probe-dialog") == 0)
      options.probe_dialog = true;
    else if (strcmp(argv[i], "--stop-after") == 0 && i + 1 < argc)
      options.stop_after_seconds = atof(argv[++i]);
    else if (options.settings_path == nullptr)
      options.settings_path = argv[i];
    else
      return false;
  }
  return options.settings_path != nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // no CR before each newline
  if (argc == 3 && strcmp(argv[1], "--position-for") == 0) {
    const int position = position_for(atoll(argv[2]));
    printf("position=%d\nlimit=%d\n", position, speed_from_position(position));
    return 0;
  }
  bench_options options;
  if (!parse_options(argc, argv, options)) {
    fprintf(stderr, "usage: ferrix_bench SETTINGS-FILE [--sample-speed] [--probe-dialog]"
                    " [--stop-after SECONDS]\n"
                    "       ferrix_bench --position-for BYTES-PER-SECOND\n");
    return 2;
  }
  driver::ferrix_process ferrix;
  if (!driver::launch_ferrix(ferrix)) {
    fprintf(stderr, "ferrix.exe did not show its dialog\n");
    driver::kill_ferrix(ferrix);
    return 1;
  }
  if (!load_settings(ferrix, options.settings_path)) {
    fprintf(stderr, "the job did not load from %s\n", options.settings_path);
    driver::kill_ferrix(ferrix);
    return 1;
  }
  run_figures figures;
  const bool finished = run_job(ferrix, options, figures);
  driver::close_ferrix(ferrix);
  if (!finished) return 1;
  if (options.stop_after_seconds >= 0)
    printf("stopped_after_seconds=%.1f\n", options.stop_after_seconds);
  print_figures(figures);
  fflush(stdout);
  return 0;
}
