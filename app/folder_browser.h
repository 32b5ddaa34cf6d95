// The shell's folder browser, set up alike for a source (Add) and for the destination (Browse).
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/job_state.h"

// Opens the browser modal to the dialog with the prompt above its folder tree; target is 0
// for Add and 1 for Browse. When the user confirms a folder, its path goes into `folder` and
// the result is true; on cancel `folder` is left as it was.
bool browse_for_folder(HWND dialog, const char* prompt, int32_t target,
                       char (&folder)[dialog_path_size]);

// The browser's callback: once the browser is up, its caption and the remembered folder of
// job_state.browse_target as the preselection. Returns 0 for every message.
int CALLBACK browse_callback(HWND browser, UINT message, LPARAM lparam, LPARAM data);
