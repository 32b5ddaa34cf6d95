// `ferrix.exe PATH`: a job file named on the command line, loaded as Load loads one.
#pragma once
#include <windows.h>

// With an argument, the file it names (made a full path) goes through load_settings_file, so
// Save proposes it; a file that cannot be opened for reading is named in an error box and
// nothing is loaded. Without one nothing is read. False when the file, or a part of it, was
// refused.
bool load_job_file_argument(HWND dialog);
