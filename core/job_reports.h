// What the copy worker tells the dialog, one function per report. The worker says what
// happened; the dialog's side alone decides which control shows it and when. Each call
// returns once the report is taken; only report_notice (when it opens a box) and
// report_job_finished wait for the user or the dialog.
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
// What a notice is about. One sentence may stand for different outcomes (a kept file and a
// failed write share theirs), so a log or an exit code reads the kind, never the sentence.
enum class notice_kind : int32_t {
  kept_existing,         // the destination exists and is left alone: the file is skipped
  read_error,            // a source file could not be opened or read to its end
  source_changed,        // a source cut short or rewritten while copied: its copy dropped
  write_error,           // the destination could not be made, written, named or placed
  not_deleted,           // a temporary copy could not be deleted
  folder_not_listed,     // a source folder could not be listed
  name_refused,          // a listed name that no path can hold (a separator inside, "." or "..")
  path_too_long,         // a listed file or folder whose path would pass 255 characters
  no_memory_for_list,    // the file list could not be allocated
  no_memory_for_buffer,  // the copy buffer could not be allocated
};

// One notice: its kind, the file or folder it names ("" when none), and the box's sentence
// and caption. `quiet`: the user asked for no box (没有错误通知); the notice is still reported,
// so that what was not copied can be counted and named.
struct job_notice {
  notice_kind kind;
  const char* path;
  const char* text;
  const char* caption;
  bool quiet;
};

// Unless quiet, a modal error box owned by the dialog; returns when the user has closed it.
// Everything reported before it is on show first.
void report_notice(const job_notice& notice);
// The job is over: everything reported before is on show, and the dialog has returned to idle
// when this returns.
void report_job_finished();
// The worker has released its job data and is about to end: a new job may start.
void report_worker_gone();
