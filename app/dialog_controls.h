// Small helpers over the main dialog's controls.
#pragma once
#include <windows.h>

#include "core/run_options.h"

#define COUNTOF(array) (sizeof(array) / sizeof((array)[0]))

// Enables or disables one control. A control that loses its enabled state while it has the
// keyboard focus hands the focus on, so the keyboard never lands on a dead control.
void enable_control(HWND dialog, int control_id, bool enabled);

void show_control(HWND dialog, int control_id, bool shown);

// A message to the source list.
LRESULT send_to_source_list(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The one rule for boxes: a /start run shows none of any kind, as nobody is there to close one;
// every notice, refusal and memory failure is logged instead.
bool boxes_may_show(const run_options& options);

// An error the user must learn of: a box owned by owner (which may be null), or where no box
// may show a line of the log, before the job's start as the reason it did not start.
void show_error_or_log(const run_options& options, HWND owner, const char* text);
// The same for the main dialog, by its own options.
void show_error(HWND dialog, const char* text);
// The same for a text that names a path (format holds one %s).
void show_path_error(HWND dialog, const char* format, const char* path);
