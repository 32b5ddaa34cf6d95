// Test backend of the worker's reports: records every report in order instead of showing it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class report_kind {
  status_line,
  estimate_line,
  current_file,
  file_progress,
  overall_progress,
  notice,
  job_finished,
  worker_gone,
};

struct job_report {
  report_kind kind;
  int32_t value;        // the progress reports
  std::string text;     // the lines, the current file and notices
  std::string caption;  // notices
};

// "file progress 40", "current file D:\out\a.txt", "notice <text>", "job finished": how a
// test's log and its failure messages name a report.
std::string describe(const job_report& report);

void recording_reports_reset();
std::vector<job_report> recorded_reports();

// Called after each report is recorded, on the reporting thread: tests press Stop or Pause
// from here at an exact point of the job.
void recording_reports_on_report(std::function<void(const job_report&)> hook);
