// The command line's options at the process's start, and the start of a /start run's job.
#include "app/unattended_start.h"

#include "app/dialog_controls.h"
#include "app/job_commands.h"
#include "app/job_log.h"
#include "app/unattended_run.h"
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

// The box a user sees for the check box; the options the worker reads follow it.
void lock_no_notices(HWND dialog) {
  store(job_state.dont_notify, 1);
  CheckDlgButton(dialog, IDC_DONT_NOTIFY, BST_CHECKED);
  enable_control(dialog, IDC_DONT_NOTIFY, false);
}
}  // namespace

bool take_command_line(run_options& options) {
  read_run_options(GetCommandLineA(), options);
  set_unattended_run(options.start);
  char log_path[run_argument_size];
  const bool log_opened =
      options.log_file[0] == '\0' || open_job_log(options.log_file, log_path, sizeof log_path);
  // The box shows the usage line; the log line names the argument only.
  if (options.fault != run_fault::none)
    show_path_error(nullptr, options.start ? TEXT_BAD_ARGUMENT : TEXT_BAD_ARGUMENT_BOX,
                    options.faulty_argument);
  if (!log_opened) show_path_error(nullptr, TEXT_LOG_UNOPENABLE, log_path);
  return !refused_before_start();
}

void start_unattended_job(HWND dialog) {
  if (!unattended_run()) return;
  lock_no_notices(dialog);
  const char* missing = refused_before_start() ? nullptr : missing_part(dialog);
  if (missing) show_error(dialog, missing);
  if (!refused_before_start()) start_or_stop_job(dialog);
  if (refused_before_start()) EndDialog(dialog, exit_not_started);
}
