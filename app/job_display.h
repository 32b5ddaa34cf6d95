// The dialog's side of the worker's reports (core/job_reports.h): which control shows each
// report, and the refresh that puts the newest current file and bar positions on show while
// a worker runs, so that the worker never waits for the dialog to paint them.
#pragma once
#include <windows.h>

// From the worker's creation until it is gone: the refresh runs several times a second.
void start_display_refresh(HWND dialog);
void stop_display_refresh(HWND dialog);

// Puts on show whatever the worker reported since the last refresh. Dialog thread only.
void show_pending_display(HWND dialog);
