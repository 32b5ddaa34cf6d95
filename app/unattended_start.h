// `ferrix.exe JOB [/start] [/verify] [/log LOG]`: the command line read at the process's
// start, and its job opened in the dialog; with /start it starts as Start would start it, with
// no one at the screen.
#pragma once
#include <windows.h>

#include "core/run_options.h"

// The process entry: the command line's options read into options, its faults named (a box
// naming the argument, with the usage line) and the log opened (a box naming a log that cannot
// be opened). In a /start run these are logged instead, and the result is false: the run ends
// at once, nothing started.
bool take_command_line(run_options& options);

// WM_INITDIALOG, after the slider's set-up: the job file of the command line loaded, then with
// /verify verification on, whatever the file said. With /start, 没有错误通知 ticked and locked
// (the job file is not changed), then Start; whatever keeps the job from starting as written
// ends the dialog with exit code 3.
void open_job_of_command_line(HWND dialog);
