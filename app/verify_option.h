// Verification as the dialog holds it: the option in the dialog's state, and the system menu's
// item that shows it (checked when on, grayed while a job is started, since Start takes the
// option for the whole job).
#pragma once
#include <windows.h>

#include <cstdint>

// Sets the option (Load, /verify) and shows it.
void set_verify_option(HWND dialog, int32_t verify);
// The item as the option and the job's state are now: at Start and at the return to idle.
void show_verify_option(HWND dialog);
// The item chosen: the option flips, unless a job is started.
void toggle_verify_option(HWND dialog);
