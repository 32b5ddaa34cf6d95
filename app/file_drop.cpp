// Folders dropped onto the source list or the destination field.
#include "app/file_drop.h"

#include <shellapi.h>

#include "app/dialog_controls.h"
#include "app/source_selection.h"
#include "core/job_state.h"
#include "res/control_ids.h"

namespace {
constexpr UINT drop_count_query = 0xFFFFFFFF;

// The dropped name at index, when it is a folder. A name too long for the buffer is skipped:
// the ANSI API reaches no folder by a path that long.
bool dropped_folder(HDROP drop, UINT index, char (&folder)[windows_path_size]) {
  const UINT length = DragQueryFileA(drop, index, nullptr, 0);
  if (length == 0 || length >= sizeof folder) return false;
  DragQueryFileA(drop, index, folder, sizeof folder);
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The id of the dialog's control under the drop point; 0 for none.
int control_under_drop(HWND dialog, HDROP drop) {
  POINT point = {};
  DragQueryPoint(drop, &point);  // in the dialog's client coordinates
  HWND child = ChildWindowFromPointEx(dialog, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  return child != nullptr && child != dialog ? GetDlgCtrlID(child) : 0;
}

// As Load does: a full list refuses the next folder once, not every folder left in the drop.
void add_dropped_sources(HWND dialog, HDROP drop, UINT count) {
  for (UINT index = 0; index < count; ++index) {
    char folder[windows_path_size];
    if (!dropped_folder(drop, index, folder)) continue;
    const bool list_was_full = send_to_source_list(dialog, LB_GETCOUNT, 0, 0) >= max_sources;
    add_source(dialog, folder);
    if (list_was_full) return;
  }
}

void set_dropped_dest(HWND dialog, HDROP drop, UINT count) {
  for (UINT index = 0; index < count; ++index) {
    char folder[windows_path_size];
    if (!dropped_folder(drop, index, folder)) continue;
    SetDlgItemTextA(dialog, IDC_DEST_EDIT, folder);
    update_start_button(dialog);
    return;
  }
}
}  // namespace

void accept_dropped_files(HWND dialog) { DragAcceptFiles(dialog, TRUE); }

void take_dropped_files(HWND dialog, HDROP drop) {
  // A started job has locked the job's inputs: a drop must not change them behind its back.
  if (load(job_state.started) == 0) {
    const UINT count = DragQueryFileA(drop, drop_count_query, nullptr, 0);
    const int target = control_under_drop(dialog, drop);
    if (target == IDC_SOURCE_LIST) add_dropped_sources(dialog, drop, count);
    if (target == IDC_DEST_EDIT) set_dropped_dest(dialog, drop, count);
  }
  DragFinish(drop);
}
