// Win32 backend of the worker's reports: messages sent to the main dialog.
#include "platform/dialog.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialog_messages.h"

static HWND window_of(dialog_handle dialog) { return static_cast<HWND>(dialog); }

void dialog_set_text(dialog_handle dialog, int control_id, const char* text) {
  SetDlgItemTextA(window_of(dialog), control_id, text);
}

void dialog_set_progress(dialog_handle dialog, int control_id, int32_t percent) {
  SendDlgItemMessageA(window_of(dialog), control_id, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void dialog_show_error(dialog_handle dialog, const char* text, const char* caption) {
  MessageBoxA(window_of(dialog), text, caption, MB_ICONERROR | MB_OK);
}

void dialog_send_job_finished(dialog_handle dialog) {
  SendMessageA(window_of(dialog), job_finished_message, 0, job_finished_lparam);
}

void dialog_post_worker_gone(dialog_handle dialog) {
  PostMessageA(window_of(dialog), worker_gone_message, 0, 0);
}
