// Sends the progress bars' positions to the dialog, each only when it changes.
#include "engine/progress_bars.h"

#include "app/job_state.h"
#include "platform/dialog.h"
#include "res/control_ids.h"

namespace {
void show_progress(int control_id, int32_t& shown, int32_t percent) {
  if (percent == shown) return;
  dialog_set_progress(job_state.main_window, control_id, percent);
  shown = percent;
}
}  // namespace

void show_file_progress(progress_bars& bars, int32_t percent) {
  show_progress(IDC_FILE_PROGRESS, bars.file_shown, percent);
}

void show_all_progress(progress_bars& bars, int32_t percent) {
  show_progress(IDC_ALL_PROGRESS, bars.all_shown, percent);
}
