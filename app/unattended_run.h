// A run started with /start: no box of any kind, and an exit code that says how the job went.
// Also the counts behind that code, kept for every job.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/job_reports.h"

// The exit codes of a /start run.
constexpr int exit_all_done = 0;          // every file copied or kept because it exists
constexpr int exit_something_failed = 1;  // the job ran to its end, and something failed
constexpr int exit_stopped = 2;           // Stop, or the window closed during the job
constexpr int exit_not_started = 3;       // anything that kept the job from starting

// Set once in the process entry, before the dialog exists.
void set_unattended_run(bool unattended);
bool unattended_run();

// A notice of the running job, from the worker: what is not a kept file is a failure.
void count_notice(notice_kind kind);
// Start: a new job's counts, and its start time.
void note_job_start();
// JOB_FINISHED, on the dialog's thread: the ending job's outcome (errors is its end line's
// count); returns the seconds since its Start.
int32_t note_job_end(bool stopped, int32_t errors);

// What would have been an error box in a /start run: logged. Before its job has started, the
// reason keeps the run from starting.
void note_refusal(const char* reason);
bool refused_before_start();

// The dialog's result and so the exit code: 1 without /start, as ever; with it the outcome of
// its job (stopped until the job has ended).
int dialog_result();
