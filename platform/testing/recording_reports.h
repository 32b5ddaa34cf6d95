// Test backend of the worker's reports: records every report in order instead of showing it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/job_reports.h"

enum class report_kind {
  status_line,
  estimate_line,
  current_file,
  file_progress,
  overall_progress,
  notice,
  quiet_notice,  // held back by dont_notify: no box
  remark,        // never a box: its kind and path
  job_finished,
  worker_gone,
};

struct job_report {
  report_kind kind = report_kind::status_line;
  int32_t value = 0;    // the progress reports
  std::string text;     // the lines, the current file and notices
  std::string caption;  // notices
  notice_kind notice = notice_kind::kept_existing;  // notices and remarks: what it is about
  std::string path;     // notices and remarks: the file or folder
  job_outcome outcome{};  // job finished: what the job did
};

// "file progress 40", "current file D:\out\a.txt", "notice <text>", "quiet notice read error
// D:\a.txt", "job finished": how a test's log and its failure messages name a report.
std::string describe(const job_report& report);
std::string describe(notice_kind kind);  // "kept existing", "read error", ...

// The recorder as the worker's report table; recording_reports_reset hands it to job_state,
// as the dialog hands its own at Start.
extern const job_reports recording_reports;

void recording_reports_reset();
std::vector<job_report> recorded_reports();

// Called after each report is recorded, on the reporting thread: tests press Stop or Pause
// from here at an exact point of the job.
void recording_reports_on_report(std::function<void(const job_report&)> hook);
