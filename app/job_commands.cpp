// Start/Stop, Pause and the option boxes, and the dialog's side of a job's end.
#include "app/job_commands.h"

#include "app/dialog_controls.h"
#include "app/dialog_state.h"
#include "app/job_display.h"
#include "app/job_log.h"
#include "app/job_snapshot.h"
#include "app/source_selection.h"
#include "app/verify_option.h"
#include "core/job_state.h"
#include "engine/copy_worker.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
// The controls that could change the job's inputs, locked while a job is started.
const int job_input_controls[] = {IDC_ADD, IDC_REMOVE, IDC_LOAD, IDC_BROWSE, IDC_CLEAR_ALL};

void enable_job_inputs(HWND dialog, bool enabled) {
  for (int control_id : job_input_controls) enable_control(dialog, control_id, enabled);
}

// Windows may start a thread with a stack that SSE code cannot use as it is.
__attribute__((force_align_arg_pointer)) DWORD WINAPI run_copy_worker(LPVOID) {
  return static_cast<DWORD>(copy_worker());
}

// Creates the worker; nobody waits for it, so its handle is not kept.
bool create_worker(HWND dialog) {
  store(job_state.worker_alive, 1);
  start_display_refresh(dialog);
  HANDLE thread = CreateThread(nullptr, 0, run_copy_worker, nullptr, 0, nullptr);
  if (thread == nullptr) {
    stop_display_refresh(dialog);
    store(job_state.worker_alive, 0);
    return false;
  }
  CloseHandle(thread);
  return true;
}

// Stop and the job's end alike: the controls of an idle dialog. With a worker still cleaning
// up, Start waits until it reports itself gone.
void return_to_idle(HWND dialog) {
  store(job_state.started, 0);
  store(job_state.running, 0);
  enable_job_inputs(dialog, true);
  SetDlgItemTextA(dialog, IDC_START_STOP, TEXT_START);
  enable_control(dialog, IDC_PAUSE, false);
  if (load(job_state.worker_alive) != 0) enable_control(dialog, IDC_START_STOP, false);
  show_verify_option(dialog);
}
}  // namespace

bool start_job(HWND dialog) {
  // One worker at a time, whatever sent the command.
  if (load(job_state.worker_alive) != 0) return false;
  dialog_state& state = dialog_state_of(dialog);
  job_state.reports = &dialog_reports;
  job_state.main_window = dialog;
  store(job_state.running, 1);
  store(job_state.paused, 0);
  take_job_snapshot(dialog);
  if (!log_job_start(state.settings_path)) {
    // A log that takes no line would miss what it is for: a /start run does not start.
    show_path_error(dialog, TEXT_LOG_UNOPENABLE, job_log_path());
    close_job_log();
    if (state.options.start) return false;
  }
  if (!create_worker(dialog)) {
    show_error(dialog, TEXT_NO_WORKER);
    return false;
  }
  store(job_state.started, 1);
  enable_job_inputs(dialog, false);
  SetDlgItemTextA(dialog, IDC_START_STOP, TEXT_STOP);
  enable_control(dialog, IDC_PAUSE, true);
  show_verify_option(dialog);
  return true;
}

void start_or_stop_job(HWND dialog) {
  if (load(job_state.started) == 0)
    start_job(dialog);
  else
    stop_job(dialog);
}

void stop_job(HWND dialog) { return_to_idle(dialog); }

void toggle_pause(HWND) { store(job_state.paused, load(job_state.paused) == 0 ? 1 : 0); }

void follow_option_box(HWND dialog, int check_box_id) {
  const int32_t checked = IsDlgButtonChecked(dialog, check_box_id) == BST_CHECKED ? 1 : 0;
  store(check_box_id == IDC_OVERWRITE_ALL ? job_state.overwrite_all : job_state.dont_notify,
        checked);
}

void finish_job(HWND dialog) {
  show_pending_display(dialog);  // the job's last file and bar positions, before idle
  log_job_end(dialog_state_of(dialog).outcome);
  return_to_idle(dialog);
}

void forget_worker(HWND dialog) {
  stop_display_refresh(dialog);
  store(job_state.worker_alive, 0);
  if (load(job_state.started) == 0) update_start_button(dialog);
}
