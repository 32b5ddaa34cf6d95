// Small helpers over the main dialog's controls.
#pragma once
#include <windows.h>

#define COUNTOF(array) (sizeof(array) / sizeof((array)[0]))

// Enables or disables one control. A control that loses its enabled state while it has the
// keyboard focus hands the focus on, so the keyboard never lands on a dead control.
void enable_control(HWND dialog, int control_id, bool enabled);

void show_control(HWND dialog, int control_id, bool shown);
