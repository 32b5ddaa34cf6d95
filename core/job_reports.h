// What the copy worker tells the dialog: a table of report functions that the front end hands
// to the worker at Start (the dialog in the product, a recorder in the tests), and the job's
// outcome, which its last report carries. The worker says what happened; the front end alone
// decides which control shows it and when. Each call returns once the report is taken; only
// `notice` (when it opens a box) and `job_finished` wait for the user or the dialog.
#pragma once
#include <cstdint>

// What a notice is about. One sentence may stand for different outcomes (a kept file and a
// failed write share theirs), so a log or an exit code reads the kind, never the sentence.
enum class notice_kind : int32_t {
  kept_existing,         // the destination exists and is left alone: the file is skipped
  twin_of_copied,        // its name is, to the destination, one this job has copied: skipped,
                         // and the destination lacks its contents
  read_error,            // a source file could not be opened or read to its end
  source_changed,        // a source cut short or rewritten while copied: its copy dropped
  verify_failed,         // the copy read back gave other bytes, or could not be read: dropped
  kept_differs,          // kept because it exists, and its contents are not its source's
  write_error,           // the destination could not be made, written, named or placed
  not_deleted,           // a temporary copy could not be deleted
  folder_not_listed,     // a source folder could not be listed
  name_refused,          // a listed name that no path can hold (a separator inside, "." or "..")
  path_too_long,         // a listed file or folder whose path would pass 255 characters
  no_memory_for_list,    // the file list could not be allocated
  no_memory_for_buffer,  // the copy buffer could not be allocated
  leftover_kept,         // a crashed run's temporary not proven its own: it stays (a remark)
  no_crash_records,      // the state folder holds no record: leftovers of a crash stay (a remark)
  read_back_cached,      // copies are read back through the system's cache, not from the
                         // device (a remark, once per job)
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

// What a job did, filled by the worker before its last report: the counts of its end line (a
// file or folder that failed is an error; a file kept because it exists is skipped, and so is
// a twin of a copied file, which is counted apart as well), whether it was stopped, its seconds
// from Start (the scan included, by the clock seam) and the end line it shows. A count that a
// later kind of outcome needs goes here, and into the rows of run_exit_code.
constexpr int end_line_size = 128;
struct job_outcome {
  int32_t files_copied;
  int32_t files_skipped;
  int32_t errors;
  int32_t twins_skipped;  // of files_skipped: twins of copied files, whose contents are missing
  int32_t kept_differing;  // of files_skipped: kept files whose contents are not their source's
  bool stopped;
  int32_t seconds;
  char end_line[end_line_size];
};

struct job_reports {
  // The first status line: scanning, or elapsed time, speed and files left.
  void (*status_line)(const char* text);
  // The second status line: the estimate, or how the job ended.
  void (*estimate_line)(const char* text);
  // The destination path of the file now being copied.
  void (*current_file)(const char* dest_path);
  // Bar positions in percent: the current file, and the share of files not yet finished.
  void (*file_progress)(int32_t percent);
  void (*overall_progress)(int32_t percent);
  // Unless quiet, a modal error box owned by the dialog; returns when the user has closed it.
  // Everything reported before it is on show first.
  void (*notice)(const job_notice& notice);
  // What the crash record could not do, said without a box whatever 没有错误通知 says: the
  // status line shows it and the log keeps it. path names the file or folder ("" when none).
  void (*remark)(notice_kind kind, const char* path);
  // The job is over: everything reported before is on show, and the dialog has returned to
  // idle when this returns. The outcome is the front end's to keep.
  void (*job_finished)(const job_outcome& outcome);
  // The worker has released its job data and is about to end: a new job may start.
  void (*worker_gone)();
};

// How a run ended, for its exit code: a refusal before the job could start, the job's outcome
// (null while no job has ended: a run closed then counts as stopped), and whether the log took
// every line it was given.
struct run_end {
  bool refused_before_start;
  const job_outcome* outcome;
  bool log_lost_a_line;
};

// The exit codes of a /start run, highest precedence first: 3 nothing started, 2 stopped
// (whatever else happened), 1 something failed or is missing (a file, a folder, memory, a twin
// not copied, a copy or a kept file that failed its check, or a line of the log), 0 every file
// copied (and, with verification, read back equal) or kept because it exists (and, with
// verification, equal to its source).
constexpr int exit_not_started = 3;
constexpr int exit_stopped = 2;
constexpr int exit_something_failed = 1;
constexpr int exit_all_done = 0;

// One rule for every run: the first row of the exit-code table (core/job_reports.cpp) that
// holds for `end`.
int run_exit_code(const run_end& end);
