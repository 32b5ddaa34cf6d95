// The main dialog's procedure: every user action arrives here on the dialog's thread.
#pragma once
#include <windows.h>

// Returns 0 for every message, the handled ones included.
INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
