// The program's own folder for what it keeps between runs (the records of its temporaries).
#pragma once
#include "core/limits.h"

// "Ferrix\" in the user's temporary folder (TEMP or TMP on Windows, TMPDIR on other hosts),
// created if missing; its path ends with a backslash. False when there is none.
bool program_state_folder(char (&folder)[windows_path_size]);
