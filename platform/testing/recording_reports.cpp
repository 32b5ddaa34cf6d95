// Records the worker's reports for tests; see recording_reports.h.
#include "platform/testing/recording_reports.h"

#include <mutex>

#include "core/job_state.h"

namespace {
std::mutex guard;
std::vector<job_report> reports;
std::function<void(const job_report&)> report_hook;

job_report plain(report_kind kind, int32_t value, std::string text = {}) {
  job_report report;
  report.kind = kind;
  report.value = value;
  report.text = std::move(text);
  return report;
}

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

std::string describe(notice_kind kind) {
  switch (kind) {
    case notice_kind::kept_existing: return "kept existing";
    case notice_kind::twin_of_copied: return "twin of a copied file";
    case notice_kind::verify_failed: return "verify failed";
    case notice_kind::kept_differs: return "kept differs";
    case notice_kind::read_back_cached: return "read back cached";
    case notice_kind::read_error: return "read error";
    case notice_kind::source_changed: return "source changed";
    case notice_kind::write_error: return "write error";
    case notice_kind::not_deleted: return "not deleted";
    case notice_kind::folder_not_listed: return "folder not listed";
    case notice_kind::name_refused: return "name refused";
    case notice_kind::path_too_long: return "path too long";
    case notice_kind::no_memory_for_list: return "no memory for the list";
    case notice_kind::no_memory_for_buffer: return "no memory for the buffer";
    case notice_kind::leftover_kept: return "leftover kept";
    case notice_kind::no_crash_records: return "no crash records";
  }
  return "?";
}

std::string describe(const job_report& report) {
  switch (report.kind) {
    case report_kind::status_line: return "status line " + report.text;
    case report_kind::estimate_line: return "estimate line " + report.text;
    case report_kind::current_file: return "current file " + report.text;
    case report_kind::file_progress: return "file progress " + std::to_string(report.value);
    case report_kind::overall_progress: return "overall progress " + std::to_string(report.value);
    case report_kind::notice: return "notice " + report.text;
    case report_kind::quiet_notice: return "quiet notice " + describe(report.notice) + " " + report.path;
    case report_kind::remark: return "remark " + describe(report.notice) + " " + report.path;
    case report_kind::job_finished: return "job finished";
    case report_kind::worker_gone: return "worker gone";
  }
  return "?";
}

void recording_reports_reset() {
  job_state.reports = &recording_reports;
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


namespace {
void record_status_line(const char* text) { record(plain(report_kind::status_line, 0, text)); }
void record_estimate_line(const char* text) {
  record(plain(report_kind::estimate_line, 0, text));
}
void record_current_file(const char* path) { record(plain(report_kind::current_file, 0, path)); }
void record_file_progress(int32_t percent) { record(plain(report_kind::file_progress, percent)); }
void record_overall_progress(int32_t percent) {
  record(plain(report_kind::overall_progress, percent));
}
void record_notice(const job_notice& notice) {
  job_report report = plain(notice.quiet ? report_kind::quiet_notice : report_kind::notice, 0,
                            notice.text);
  report.caption = notice.caption;
  report.notice = notice.kind;
  report.path = notice.path;
  record(report);
}
void record_remark(notice_kind kind, const char* path) {
  job_report report = plain(report_kind::remark, 0);
  report.notice = kind;
  report.path = path;
  record(report);
}
void record_job_finished(const job_outcome& outcome) {
  job_report report = plain(report_kind::job_finished, 0);
  report.outcome = outcome;
  record(report);
}
void record_worker_gone() { record(plain(report_kind::worker_gone, 0)); }
}  // namespace

const job_reports recording_reports = {
    record_status_line,  record_estimate_line, record_current_file, record_file_progress,
    record_overall_progress, record_notice,    record_remark,       record_job_finished,
    record_worker_gone,
};
