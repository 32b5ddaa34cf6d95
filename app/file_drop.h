// Folders dragged from the shell onto the dialog (WM_DROPFILES): onto the source list they
// are added as Add adds one, onto the destination field one becomes the destination.
#pragma once
#include <windows.h>

// WM_INITDIALOG: from now on the shell may drop files onto the dialog.
void accept_dropped_files(HWND dialog);

// WM_DROPFILES. Onto the source list (1001): each dropped folder through add_source, in the
// order dropped; once the list is full its one refusal ends the drop. Onto the destination
// field (1002): the first dropped folder, as Browse sets it. Files, drops anywhere else and
// drops while a job is started change nothing. Releases the drop.
void take_dropped_files(HWND dialog, HDROP drop);
