// The worker's reports on the main dialog's controls. The status lines, notices and the job's
// end are sent at once (the first two change once a second at most); the current file and the
// bars, which may change thousands of times a second, wait in the display mailbox for the
// next refresh.
#include "app/job_display.h"

#include <commctrl.h>

#include "app/dialog_messages.h"
#include "app/job_log_entries.h"
#include "app/unattended_run.h"
#include "core/display_mailbox.h"
#include "core/job_reports.h"
#include "core/job_state.h"
#include "res/control_ids.h"

namespace {
HWND main_window() { return static_cast<HWND>(job_state.main_window); }

void set_bar(HWND dialog, int control_id, int32_t percent) {
  if (percent >= 0)
    SendDlgItemMessageA(dialog, control_id, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}
}  // namespace

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

void report_status_line(const char* text) {
  SetDlgItemTextA(main_window(), IDC_STATUS_LINE, text);
}

void report_estimate_line(const char* text) {
  SetDlgItemTextA(main_window(), IDC_ESTIMATE_LINE, text);
}

void report_current_file(const char* dest_path) { post_current_file(dest_path); }
void report_file_progress(int32_t percent) { post_file_progress(percent); }
void report_overall_progress(int32_t percent) { post_overall_progress(percent); }

// Every notice is counted and logged; a /start run shows none of them, of any kind.
void report_notice(const job_notice& notice) {
  count_notice(notice.kind);
  log_notice(notice);
  if (notice.quiet || unattended_run()) return;
  SendMessageA(main_window(), show_pending_message, 0, 0);
  MessageBoxA(main_window(), notice.text, notice.caption, MB_ICONERROR | MB_OK);
}

void report_job_finished() {
  SendMessageA(main_window(), job_finished_message, 0, job_finished_lparam);
}

void report_worker_gone() { PostMessageA(main_window(), worker_gone_message, 0, 0); }
