// Records the worker's reports for tests; see recording_reports.h.
#include "platform/testing/recording_reports.h"

#include <mutex>

#include "core/job_reports.h"

namespace {
std::mutex guard;
std::vector<job_report> reports;
std::function<void(const job_report&)> report_hook;

void record(job_report report) {
  std::function<void(const job_report&)> hook;
  {
    std::lock_guard<std::mutex> lock(guard);
    reports.push_back(report);
    hook = report_hook;
  }
  if (hook) hook(report);
}
}  // namespace

std::string describe(const job_report& report) {
  switch (report.kind) {
    case report_kind::status_line: return "status line " + report.text;
    case report_kind::estimate_line: return "estimate line " + report.text;
    case report_kind::current_file: return "current file " + report.text;
    case report_kind::file_progress: return "file progress " + std::to_string(report.value);
    case report_kind::overall_progress: return "overall progress " + std::to_string(report.value);
    case report_kind::notice: return "notice " + report.text;
    case report_kind::job_finished: return "job finished";
    case report_kind::worker_gone: return "worker gone";
  }
  return "?";
}

void recording_reports_reset() {
  std::lock_guard<std::mutex> lock(guard);
  reports.clear();
  report_hook = nullptr;
}

std::vector<job_report> recorded_reports() {
  std::lock_guard<std::mutex> lock(guard);
  return reports;
}

void recording_reports_on_report(std::function<void(const job_report&)> hook) {
  std::lock_guard<std::mutex> lock(guard);
  report_hook = std::move(hook);
}

void report_status_line(const char* text) { record({report_kind::status_line, 0, text, {}}); }
void report_estimate_line(const char* text) { record({report_kind::estimate_line, 0, text, {}}); }
void report_current_file(const char* path) { record({report_kind::current_file, 0, path, {}}); }
void report_file_progress(int32_t percent) {
  record({report_kind::file_progress, percent, {}, {}});
}
void report_overall_progress(int32_t percent) {
  record({report_kind::overall_progress, percent, {}, {}});
}
void report_notice(const char* text, const char* caption) {
  record({report_kind::notice, 0, text, caption});
}
void report_job_finished() { record({report_kind::job_finished, 0, {}, {}}); }
void report_worker_gone() { record({report_kind::worker_gone, 0, {}, {}}); }
