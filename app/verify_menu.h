// The system menu's check item 复制后校验, the dialog's side of verification: its template stays
// as it is, and the item sits in the window's own menu.
#pragma once
#include <windows.h>

// WM_INITDIALOG: a separator and the item at the end of the dialog's system menu.
void add_verify_menu_item(HWND dialog);
// The item checked when verification is on, grayed while a job runs (the option is taken at
// Start for the whole job).
void show_verify_menu_item(HWND dialog, bool verify_on, bool job_running);
// Whether a WM_SYSCOMMAND's wParam is the item: the system uses the low four bits.
bool is_verify_menu_command(WPARAM command);
