// What the command line asks of a run: an optional job file, then /start, /verify and /log FILE
// in any order. Portable text rules, so that they are tested on every build.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/limits.h"

// The first rule an argument broke.
enum class run_fault : int32_t {
  none,
  unknown_option,     // a word starting with '/' that is none of the options
  log_without_file,   // /log last, or followed by an option
  start_without_job,  // /start and no job file
  second_job_file,    // a second word that is not an option
  second_log_file,    // /log given twice
  log_file_too_long,  // a log path cut to fit: it would name another file
};

struct run_options {
  char job_file[run_argument_size];  // "" when none
  char log_file[run_argument_size];  // "" when none
  bool start;
  bool verify;  // /verify: copies are checked, whatever the job file says
  run_fault fault;
  char faulty_argument[run_argument_size];  // the argument that broke the rule, as given
};

// Reads command_line (as GetCommandLineA returns it). Options match without regard to case;
// the first word that is not an option is the job file, wherever it stands. Every argument is
// read even after a fault, so that what was given correctly still applies; the fault kept is
// the first one.
void read_run_options(const char* command_line, run_options& options);
