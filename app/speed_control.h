// The speed slider's dialog side: its set-up, its notifications and the limit shown beside it.
#pragma once
#include <windows.h>

// WM_INITDIALOG: the slider's range and start position, then the display.
void set_up_speed_slider(HWND dialog);

// Any notification of the slider: the limit, the chunk size and the display follow its
// position. Also for whoever moves the slider itself and cannot rely on a notification.
void follow_speed_slider(HWND dialog);

// Paces the worker for speed_limit (chunk size and delay) and shows the limit: as text, or the
// picture when unlimited.
void update_speed_display(HWND dialog);
