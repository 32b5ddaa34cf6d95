// The dialog's side of the worker's reports (core/job_reports.h): which control shows each
// report, the refresh that puts the newest current file and bar positions on show while a
// worker runs (so that the worker never waits for the dialog to paint them), and the dialog's
// result read from the job's outcome.
#pragma once
#include <windows.h>

#include "app/dialog_state.h"
#include "core/job_reports.h"

// The table Start hands to the worker.
extern const job_reports dialog_reports;

// From the worker's creation until it is gone: the refresh runs several times a second.
void start_display_refresh(HWND dialog);
void stop_display_refresh(HWND dialog);

// Puts on show whatever the worker reported since the last refresh. Dialog thread only.
void show_pending_display(HWND dialog);

// The dialog's result and so the exit code: 1 without /start, as ever; with it the run's exit
// code (core/job_reports.h) from its refusal, its job's outcome and the log.
int dialog_result(const dialog_state& state);
