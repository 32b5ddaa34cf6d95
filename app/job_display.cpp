// The worker's reports on the main dialog's controls. The status lines, notices and the job's
// end are sent at once (the first two change once a second at most); the current file and the
// bars, which may change thousands of times a second, wait in the display mailbox for the
// next refresh. The job's end report leaves its outcome with the dialog's state, from which the
// dialog's result (the exit code) is read.
#include "app/job_display.h"

#include <commctrl.h>

#include "app/dialog_controls.h"
#include "app/dialog_messages.h"
#include "app/job_log.h"
#include "core/log_line.h"
#include "core/display_mailbox.h"
#include "core/job_state.h"
#include "res/control_ids.h"

namespace {
HWND main_window() { return static_cast<HWND>(job_state.main_window); }

void set_bar(HWND dialog, int control_id, int32_t percent) {
  if (percent >= 0)
    SendDlgItemMessageA(dialog, control_id, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void show_status_line(const char* text) {
  SetDlgItemTextA(main_window(), IDC_STATUS_LINE, text);
}

void show_estimate_line(const char* text) {
  SetDlgItemTextA(main_window(), IDC_ESTIMATE_LINE, text);
}

// Every notice is logged; a box shows unless the user asked for none or no box may show.
void show_notice(const job_notice& notice) {
  log_notice(notice);
  if (notice.quiet || !boxes_may_show(dialog_state_of(main_window()).options)) return;
  SendMessageA(main_window(), show_pending_message, 0, 0);
  MessageBoxA(main_window(), notice.text, notice.caption, MB_ICONERROR | MB_OK);
}

// No box: the status line shows the remark until the worker's next line.
void show_remark(notice_kind kind, const char* path) {
  char text[log_line_size];
  log_remark(kind, path, text);
  show_status_line(text);
}

// The dialog thread reads the outcome only once JOB_FINISHED has arrived.
void finish_on_show(const job_outcome& outcome) {
  dialog_state& state = dialog_state_of(main_window());
  state.outcome = outcome;
  state.job_ended = true;
  SendMessageA(main_window(), job_finished_message, 0, job_finished_lparam);
}

void forget_on_show() { PostMessageA(main_window(), worker_gone_message, 0, 0); }
}  // namespace

const job_reports dialog_reports = {
    show_status_line, show_estimate_line, post_current_file, post_file_progress,
    post_overall_progress, show_notice, show_remark, finish_on_show, forget_on_show,
};

void start_display_refresh(HWND dialog) {
  SetTimer(dialog, display_timer_id, display_refresh_ms, nullptr);
}

void stop_display_refresh(HWND dialog) {
  KillTimer(dialog, display_timer_id);
  show_pending_display(dialog);
}

void show_pending_display(HWND dialog) {
  static display_changes changes;  // 1 KB, dialog thread only
  if (!take_display_changes(changes)) return;
  if (changes.has_current_file) SetDlgItemTextA(dialog, IDC_CURRENT_FILE, changes.current_file);
  set_bar(dialog, IDC_FILE_PROGRESS, changes.file_progress);
  set_bar(dialog, IDC_ALL_PROGRESS, changes.overall_progress);
}

int dialog_result(const dialog_state& state) {
  if (!state.options.start) return 1;
  return run_exit_code({state.refused_before_start, state.job_ended ? &state.outcome : nullptr,
                        job_log_lost_a_line()});
}
