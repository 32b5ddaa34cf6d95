// Small helpers over the main dialog's controls.
#pragma once
#include <windows.h>

#define COUNTOF(array) (sizeof(array) / sizeof((array)[0]))

// Enables or disables one control. A control that loses its enabled state while it has the
// keyboard focus hands the focus on, so the keyboard never lands on a dead control.
void enable_control(HWND dialog, int control_id, bool enabled);

void show_control(HWND dialog, int control_id, bool shown);

// A message to the source list.
LRESULT send_to_source_list(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The dialog's error box, or in a /start run the text logged instead (app/unattended_run.h).
void show_error(HWND dialog, const char* text);
// The same for a text that names a path (format holds one %s).
void show_path_error(HWND dialog, const char* format, const char* path);
