// Test backend of the worker's reports: records every report in order instead of showing it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class report_kind { text, progress, error_box, job_finished, worker_gone };

struct dialog_report {
  report_kind kind;
  int control_id;       // text and progress
  int32_t value;        // progress
  std::string text;     // text and error_box
  std::string caption;  // error_box
};

void recording_dialog_reset();
std::vector<dialog_report> recorded_reports();

// Called after each report is recorded, on the reporting thread: tests press Stop or Pause
// from here at an exact point of the job.
void recording_dialog_on_report(std::function<void(const dialog_report&)> hook);
