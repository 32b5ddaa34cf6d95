// Sends the progress bars' positions to the dialog, each only when it changes.
#include "engine/progress_bars.h"

#include "core/job_reports.h"
#include "core/job_state.h"

namespace {
void show_progress(void (*report)(int32_t), int32_t& shown, int32_t percent) {
  if (percent == shown) return;
  report(percent);
  shown = percent;
}
}  // namespace

void show_file_progress(progress_bars& bars, int32_t percent) {
  show_progress(job_state.reports->file_progress, bars.file_shown, percent);
}

void show_all_progress(progress_bars& bars, int32_t percent) {
  show_progress(job_state.reports->overall_progress, bars.all_shown, percent);
}
