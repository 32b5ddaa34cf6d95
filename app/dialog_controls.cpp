// Small helpers over the main dialog's controls.
#include "app/dialog_controls.h"

#include <cstdio>

#include "app/dialog_state.h"
#include "app/job_log.h"
#include "core/job_state.h"
#include "res/control_ids.h"
#include "res/texts.h"

void enable_control(HWND dialog, int control_id, bool enabled) {
  HWND control = GetDlgItem(dialog, control_id);
  const bool had_focus = GetFocus() == control;
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (!enabled && had_focus) SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
}

void show_control(HWND dialog, int control_id, bool shown) {
  ShowWindow(GetDlgItem(dialog, control_id), shown ? SW_SHOWNORMAL : SW_HIDE);
}

LRESULT send_to_source_list(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  return SendDlgItemMessageA(dialog, IDC_SOURCE_LIST, message, wparam, lparam);
}

bool boxes_may_show(const run_options& options) { return !options.start; }

void show_error_or_log(const run_options& options, HWND owner, const char* text) {
  if (boxes_may_show(options)) {
    MessageBoxA(owner, text, TEXT_ERROR_CAPTION, MB_ICONERROR | MB_OK);
  } else if (load(job_state.started) != 0) {  // a failed Save during the job, say
    write_job_log(text);
  } else {
    write_job_log_formatted(TEXT_LOG_NOT_STARTED, text);
  }
}

void show_error(HWND dialog, const char* text) {
  show_error_or_log(dialog_state_of(dialog).options, dialog, text);
}

void show_path_error(HWND dialog, const char* format, const char* path) {
  char text[2048];  // any path a setting or the list can hold, and the longest format
  snprintf(text, sizeof text, format, path);
  show_error(dialog, text);
}
