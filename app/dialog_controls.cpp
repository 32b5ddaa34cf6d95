// Small helpers over the main dialog's controls.
#include "app/dialog_controls.h"

void enable_control(HWND dialog, int control_id, bool enabled) {
  HWND control = GetDlgItem(dialog, control_id);
  const bool had_focus = GetFocus() == control;
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (!enabled && had_focus) SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
}

void show_control(HWND dialog, int control_id, bool shown) {
  ShowWindow(GetDlgItem(dialog, control_id), shown ? SW_SHOWNORMAL : SW_HIDE);
}
