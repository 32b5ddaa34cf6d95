// Records the worker's reports for tests; see recording_dialog.h.
#include "platform/testing/recording_dialog.h"

#include <mutex>

#include "platform/dialog.h"

namespace {
std::mutex guard;
std::vector<dialog_report> reports;
std::function<void(const dialog_report&)> report_hook;

void record(dialog_report report) {
  std::function<void(const dialog_report&)> hook;
  {
    std::lock_guard<std::mutex> lock(guard);
    reports.push_back(report);
    hook = report_hook;
  }
  if (hook) hook(report);
}
}  // namespace

void recording_dialog_reset() {
  std::lock_guard<std::mutex> lock(guard);
  reports.clear();
  report_hook = nullptr;
}

std::vector<dialog_report> recorded_reports() {
  std::lock_guard<std::mutex> lock(guard);
  return reports;
}

void recording_dialog_on_report(std::function<void(const dialog_report&)> hook) {
  std::lock_guard<std::mutex> lock(guard);
  report_hook = std::move(hook);
}

void dialog_set_text(dialog_handle, int control_id, const char* text) {
  record({report_kind::text, control_id, 0, text, {}});
}

void dialog_set_progress(dialog_handle, int control_id, int32_t percent) {
  record({report_kind::progress, control_id, percent, {}, {}});
}

void dialog_show_error(dialog_handle, const char* text, const char* caption) {
  record({report_kind::error_box, 0, 0, text, caption});
}

void dialog_send_job_finished(dialog_handle) { record({report_kind::job_finished, 0, 0, {}, {}}); }

void dialog_post_worker_gone(dialog_handle) { record({report_kind::worker_gone, 0, 0, {}, {}}); }
