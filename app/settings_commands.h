// Save and Load: a job kept in a settings file, chosen with the common file
// dialogs. Each takes the main dialog and runs on its thread.
#pragma once
#include <windows.h>

// Load: the open dialog, then load_settings_file with the chosen file. Cancel changes nothing.
void prompt_load_settings(HWND dialog);

// Replaces the dialog's job (list, destination, options, slider) with the file's. A file
// that cannot be read loads as the defaults. settings_path takes the path first. False when a
// source or the destination was refused (each named in a box).
bool load_settings_file(HWND dialog, const char* path);

// Save: the save dialog proposing settings_path, then the job written into the chosen file.
// A save that did not reach the file is reported in an error box.
void prompt_save_settings(HWND dialog);
