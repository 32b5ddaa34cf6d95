// Where a box may show, and where an error goes when none may.
#include "app/unattended_run.h"

#include "app/job_log.h"
#include "core/job_state.h"
#include "res/texts.h"

bool boxes_may_show(const run_options& options) { return !options.start; }

void show_error_or_log(const run_options& options, HWND owner, const char* text) {
  if (boxes_may_show(options)) {
    MessageBoxA(owner, text, TEXT_ERROR_CAPTION, MB_ICONERROR | MB_OK);
  } else if (load(job_state.started) != 0) {  // a failed Save during the job, say
    write_job_log(text);
  } else {
    write_job_log_formatted(TEXT_LOG_NOT_STARTED, text);
  }
}
