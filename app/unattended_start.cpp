// The command line's options at the process's start, and the start of a /start run's job.
#include "app/unattended_start.h"

#include <cstdio>

#include "app/dialog_controls.h"
#include "app/job_commands.h"
#include "app/job_display.h"
#include "app/job_file_argument.h"
#include "app/job_log.h"
#include "app/verify_option.h"
#include "core/job_state.h"
#include "core/limits.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
// The reason a loaded job could not start as written, or null.
const char* missing_part(HWND dialog) {
  if (send_to_source_list(dialog, LB_GETCOUNT, 0, 0) <= 0) return TEXT_NO_SOURCES;
  char dest[windows_path_size];
  GetDlgItemTextA(dialog, IDC_DEST_EDIT, dest, COUNTOF(dest));
  return dest[0] == '\0' ? TEXT_NO_DEST : nullptr;
}

// The box a user sees for the check box; the options the worker reads follow it. What the job
// set is kept for Save.
void lock_no_notices(HWND dialog) {
  dialog_state_of(dialog).dont_notify_as_set = load(job_state.dont_notify);
  store(job_state.dont_notify, 1);
  CheckDlgButton(dialog, IDC_DONT_NOTIFY, BST_CHECKED);
  enable_control(dialog, IDC_DONT_NOTIFY, false);
}

void show_command_line_error(const run_options& options, const char* format, const char* path) {
  char text[2 * run_argument_size];  // the longest argument and the longest format
  snprintf(text, sizeof text, format, path);
  show_error_or_log(options, nullptr, text);
}

// A loaded job that has what Start needs, then Start; each refusal is said where it happens.
bool start_as_written(HWND dialog) {
  if (const char* missing = missing_part(dialog)) {
    show_error(dialog, missing);
    return false;
  }
  return start_job(dialog);
}
}  // namespace

bool take_command_line(run_options& options) {
  read_run_options(GetCommandLineA(), options);
  const bool log_opened = options.log_file[0] == '\0' || open_job_log(options.log_file);
  // The box shows the usage line; the log line names the argument only.
  if (options.fault != run_fault::none)
    show_command_line_error(options, options.start ? TEXT_BAD_ARGUMENT : TEXT_BAD_ARGUMENT_BOX,
                            options.faulty_argument);
  if (!log_opened) show_command_line_error(options, TEXT_LOG_UNOPENABLE, job_log_path());
  // Without /start the dialog opens all the same, without the log that failed.
  return !options.start || (options.fault == run_fault::none && log_opened);
}

void open_job_of_command_line(HWND dialog) {
  dialog_state& state = dialog_state_of(dialog);
  const bool loaded = load_job_file_argument(dialog);
  if (state.options.verify) set_verify_option(dialog, 1);  // whatever the job file said
  if (!state.options.start) return;
  lock_no_notices(dialog);  // after the load, which sets the box as the file says
  if (loaded && start_as_written(dialog)) return;
  state.refused_before_start = true;
  EndDialog(dialog, dialog_result(state));
}
