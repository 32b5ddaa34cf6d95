// What only the main dialog remembers: the folders the browser preselects, the settings file
// last loaded or saved, the command line's options, whether copies are verified, and how the
// run is going: whether its job was refused before it could start, and the last job's outcome
// as its end report gave it. It travels with the dialog (DialogBoxParamA's parameter, kept in
// the window's user data), never in the record the worker shares.
#pragma once
#include <windows.h>

#include "core/job_reports.h"
#include "core/limits.h"
#include "core/run_options.h"

struct dialog_state {
  char last_source_folder[windows_path_size];
  char last_dest_folder[windows_path_size];
  char settings_path[windows_path_size];
  run_options options;  // what the command line asked for
  // With /start: 没有错误通知 as the job file set it, while the run holds the box ticked and
  // locked. Save writes this, not the lock.
  int32_t dont_notify_as_set;
  // 1: copies are read back and kept files compared (the system menu's 复制后校验); Start
  // hands it to the worker, Save writes it.
  int32_t verify;
  bool refused_before_start;
  bool job_ended;       // outcome holds a job's end report
  job_outcome outcome;  // written by the end report before JOB_FINISHED reaches the dialog
};

// WM_INITDIALOG: the state handed to DialogBoxParamA becomes the dialog's own.
void keep_dialog_state(HWND dialog, LPARAM state);
dialog_state& dialog_state_of(HWND dialog);
