// The job log named by /log: lines appended to one file, each handed to the system as it is
// written, so that a program killed mid-job leaves every line up to that moment.
#pragma once

// Opens path (relative to the current folder) for appending, creating it when missing. On
// failure the full path (or path as given) goes into full_path for the box or the log.
bool open_job_log(const char* path, char* full_path, unsigned full_path_size);
bool job_log_is_open();
// The log's full path, for a box that names it.
const char* job_log_path();
void close_job_log();

// One line: local date and time, a blank, the text (see core/log_line.h). Any thread; one
// write per line. False when the line did not reach the file, or no log is open.
bool write_job_log(const char* text);

// The same, the text made from format and its arguments.
bool write_job_log_formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
