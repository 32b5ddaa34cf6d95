// `ferrix.exe JOB /start`: the job starts as Start would start it, with no one at the screen.
#pragma once
#include <windows.h>

#include "core/run_options.h"

// The process entry: the command line's options read into options, its faults named (a box
// naming the argument, with the usage line) and the log opened (a box naming a log that cannot
// be opened). In a /start run these are logged instead, and the result is false: the run ends
// at once, nothing started.
bool take_command_line(run_options& options);

// WM_INITDIALOG of a /start run, once the job file is loaded: 没有错误通知 ticked and locked
// (the job file is not changed), then Start. Whatever keeps the job from starting as written
// ends the dialog with exit code 3.
void start_unattended_job(HWND dialog);
