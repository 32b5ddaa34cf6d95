// The source list and the destination field: the rules that enable Start and Remove, and the
// commands that fill and prune the list. Each takes the main dialog.
#pragma once
#include <windows.h>

// The Start rule: Start/Stop is enabled iff the list has an entry and the destination is set,
// and, while the dialog is idle, no earlier worker is still winding down.
void update_start_button(HWND dialog);

// Appends a folder to the list and re-evaluates Start. A path longer than a source slot holds,
// or one more entry than a job takes, is refused with a message box naming the path: false.
bool add_source(HWND dialog, const char* path);

// The selection rule: Remove is enabled iff an entry is selected and no job is started.
void update_remove_button(HWND dialog);

// Deletes the selected entry, if any.
void remove_selected_source(HWND dialog);

// Add, Browse and Clear all.
void add_source_from_browser(HWND dialog);
void choose_destination(HWND dialog);
void clear_sources(HWND dialog);
