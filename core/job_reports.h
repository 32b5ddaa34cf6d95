// What the copy worker tells the dialog, one function per report. The worker says what
// happened; the dialog's side alone decides which control shows it and when. Each call
// returns once the report is taken; only report_notice and report_job_finished wait for the
// user or the dialog.
#pragma once
#include <cstdint>

// The first status line: scanning, or elapsed time, speed and files left.
void report_status_line(const char* text);
// The second status line: the estimate, or how the job ended.
void report_estimate_line(const char* text);
// The destination path of the file now being copied.
void report_current_file(const char* dest_path);
// Bar positions in percent: the current file, and the share of files not yet finished.
void report_file_progress(int32_t percent);
void report_overall_progress(int32_t percent);
// A modal error box owned by the dialog; returns when the user has closed it. Everything
// reported before it is on show first.
void report_notice(const char* text, const char* caption);
// The job is over: everything reported before is on show, and the dialog has returned to idle
// when this returns.
void report_job_finished();
// The worker has released its job data and is about to end: a new job may start.
void report_worker_gone();
