// The speed slider's dialog side.
#include "app/speed_control.h"

#include <commctrl.h>

#include <cstdio>

#include "app/dialog_controls.h"
#include "core/job_state.h"
#include "core/speed_scale.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
LRESULT send_to_slider(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  return SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, message, wparam, lparam);
}
}  // namespace

void set_up_speed_slider(HWND dialog) {
  const WPARAM redraw = TRUE;
  send_to_slider(dialog, TBM_SETRANGEMAX, redraw, slider_max_position);
  send_to_slider(dialog, TBM_SETRANGEMIN, redraw, slider_min_position);
  send_to_slider(dialog, TBM_SETPOS, redraw, slider_start_position);
  // The speed fields start at the start position's values; only the display is due.
  update_speed_display(dialog);
}

void follow_speed_slider(HWND dialog) {
  const int32_t position = static_cast<int32_t>(send_to_slider(dialog, TBM_GETPOS, 0, 0));
  const int32_t limit = speed_from_position(position);
  store(job_state.speed_limit, limit);
  update_speed_display(dialog);
}

void update_speed_display(HWND dialog) {
  const int32_t limit = load(job_state.speed_limit);
  const chunk_pace pace = pace_for_limit(limit);
  store(job_state.chunk_size, pace.chunk_size);
  store(job_state.chunk_delay_ms, pace.chunk_delay_ms);
  if (limit == unlimited_speed) {
    show_control(dialog, IDC_SPEED_TEXT, false);
    show_control(dialog, IDC_SPEED_UNLIMITED, true);
    return;
  }
  show_control(dialog, IDC_SPEED_TEXT, true);
  show_control(dialog, IDC_SPEED_UNLIMITED, false);
  char text[64];
  snprintf(text, sizeof text, TEXT_SPEED_FORMAT, limit);
  SetDlgItemTextA(dialog, IDC_SPEED_TEXT, text);
}
