// The shell's folder browser, set up alike for a source (Add) and for the destination (Browse).
#pragma once
#include <windows.h>

#include "core/limits.h"

// Opens the browser modal to the dialog with the prompt above its folder tree, preselecting
// `remembered` (even while it is still empty). When the user confirms a folder, its path goes
// into `remembered` and the result is true; on cancel it is left as it was.
bool browse_for_folder(HWND dialog, const char* prompt, char (&remembered)[windows_path_size]);
