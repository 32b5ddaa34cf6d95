// A run started with /start shows no box of any kind: nobody is there to close one. The one
// rule that decides whether a box may show, and where an error goes when none may.
#pragma once
#include <windows.h>

#include "core/run_options.h"

// False for a /start run: every notice, refusal and memory failure is logged instead.
bool boxes_may_show(const run_options& options);

// An error the user must learn of: a box owned by owner (which may be null), or where no box
// may show a line of the log, before the job's start as the reason it did not start.
void show_error_or_log(const run_options& options, HWND owner, const char* text);
