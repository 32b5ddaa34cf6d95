// The job log named by /log: lines appended to one file, each handed to the system as it is
// written, so that a program killed mid-job leaves every line up to that moment; and what a
// job writes into it: its start, each file or folder not copied and why, its end. Nothing is
// written while no log is open.
#pragma once
#include "core/job_reports.h"
#include "core/log_line.h"

// Opens path (relative to the current folder) for appending, creating it when missing.
// job_log_path then names it in full, or as given where it has no full path.
bool open_job_log(const char* path);
bool job_log_is_open();
const char* job_log_path();
void close_job_log();

// One line: local date and time, a blank, the text (see core/log_line.h). Any thread; one
// write per line. False when the line did not reach the file whole, or no log is open.
bool write_job_log(const char* text);
// The same, the text made from format and its arguments.
bool write_job_log_formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
// True once a line could not be written whole to the open log (its volume full or gone): the
// log misses what it is for, and a /start run says so in its exit code.
bool job_log_lost_a_line();

// Start, after the snapshot: the job file ("" when the job has none), the sources' count and
// the destination as the job took them, and whether it verifies. False when the line did not
// reach the log.
bool log_job_start(const char* job_file);
// A notice, quiet or not: its reason in words and its path. Any thread.
void log_notice(const job_notice& notice);
// A remark of the worker, as a notice of its kind is logged; its words go to text too.
void log_remark(notice_kind kind, const char* path, char (&text)[log_line_size]);
// JOB_FINISHED: the end line and the duration the outcome gives.
void log_job_end(const job_outcome& outcome);
