// The command line's options.
#include "core/run_options.h"

#include <cstdio>

#include "core/command_line.h"
#include "core/gbk_text.h"

namespace {
// Options are ASCII; a GBK byte never equals one of their letters, folded or not.
bool is_option(const char* argument, const char* option) {
  for (; *option != '\0'; ++argument, ++option)
    if (ascii_folded(static_cast<unsigned char>(*argument)) != *option) return false;
  return *argument == '\0';
}

bool looks_like_option(const char* argument) { return argument[0] == '/'; }

void keep_fault(run_options& options, run_fault fault, const char* argument) {
  if (options.fault != run_fault::none) return;
  options.fault = fault;
  snprintf(options.faulty_argument, sizeof options.faulty_argument, "%s", argument);
}

void copy_argument(char (&to)[run_argument_size], const char* argument) {
  snprintf(to, sizeof to, "%s", argument);
}

// /log and what follows it; returns the text after the arguments it took.
const char* read_log_option(const char* text, const char* option, run_options& options) {
  char file[run_argument_size];
  bool cut = false;
  const char* after = next_argument(text, file, sizeof file, &cut);
  if (after == nullptr || looks_like_option(file)) {
    keep_fault(options, run_fault::log_without_file, option);
    return text;  // an option after /log is read as one
  }
  if (options.log_file[0] != '\0')
    keep_fault(options, run_fault::second_log_file, option);
  else if (cut)
    keep_fault(options, run_fault::log_file_too_long, file);
  else
    copy_argument(options.log_file, file);
  return after;
}
}  // namespace

void read_run_options(const char* command_line, run_options& options) {
  options = {};
  char argument[run_argument_size];
  char start_option[run_argument_size] = "";  // as given, to be named if no job file comes
  const char* text = arguments_of(command_line);
  while ((text = next_argument(text, argument, sizeof argument, nullptr)) != nullptr) {
    if (is_option(argument, "/start")) {
      options.start = true;
      copy_argument(start_option, argument);
    } else if (is_option(argument, "/verify")) {
      options.verify = true;
    } else if (is_option(argument, "/log")) {
      text = read_log_option(text, argument, options);
    } else if (looks_like_option(argument)) {
      keep_fault(options, run_fault::unknown_option, argument);
    } else if (options.job_file[0] != '\0') {
      keep_fault(options, run_fault::second_job_file, argument);
    } else {
      copy_argument(options.job_file, argument);
    }
  }
  if (options.start && options.job_file[0] == '\0')
    keep_fault(options, run_fault::start_without_job, start_option);
}
