// What a job writes into the log: its start, each file or folder not copied and why, its end.
// Nothing when no log is open.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/job_reports.h"

// Start, after the snapshot: the job file (or that there is none), the sources' count and the
// destination. False when the line did not reach the log.
bool log_job_start(HWND dialog);

// A notice, quiet or not: its reason in words and its path. Any thread.
void log_notice(const job_notice& notice);

// JOB_FINISHED: the end line as the dialog shows it, and the time since Start.
void log_job_end(HWND dialog, int32_t seconds);
