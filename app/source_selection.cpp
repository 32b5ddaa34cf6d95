// The source list and the destination field.
#include "app/source_selection.h"

#include <cstring>

#include "app/dialog_controls.h"
#include "app/dialog_state.h"
#include "app/folder_browser.h"
#include "core/job_state.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
constexpr size_t max_source_length = job_path_size - 1;
}  // namespace

void update_start_button(HWND dialog) {
  const bool has_source = send_to_source_list(dialog, LB_GETCOUNT, 0, 0) > 0;
  char dest[windows_path_size - 1];
  GetDlgItemTextA(dialog, IDC_DEST_EDIT, dest, COUNTOF(dest));
  // One worker at a time: a stopped job's worker may still be cleaning up.
  const bool earlier_worker = load(job_state.started) == 0 && load(job_state.worker_alive) != 0;
  enable_control(dialog, IDC_START_STOP, has_source && dest[0] != '\0' && !earlier_worker);
}

bool add_source(HWND dialog, const char* path) {
  if (strlen(path) > max_source_length) {
    show_path_error(dialog, TEXT_SOURCE_TOO_LONG, path);
    return false;
  }
  if (send_to_source_list(dialog, LB_GETCOUNT, 0, 0) >= max_sources) {
    show_path_error(dialog, TEXT_SOURCE_LIST_FULL, path);
    return false;
  }
  send_to_source_list(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
  update_start_button(dialog);
  return true;
}

void update_remove_button(HWND dialog) {
  const bool selected = send_to_source_list(dialog, LB_GETCURSEL, 0, 0) != LB_ERR;
  enable_control(dialog, IDC_REMOVE, load(job_state.started) == 0 && selected);
  update_start_button(dialog);
}

void remove_selected_source(HWND dialog) {
  const LRESULT selected = send_to_source_list(dialog, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  send_to_source_list(dialog, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  update_remove_button(dialog);
}

void add_source_from_browser(HWND dialog) {
  dialog_state& state = dialog_state_of(dialog);
  if (browse_for_folder(dialog, TEXT_PICK_SOURCE, state.last_source_folder))
    add_source(dialog, state.last_source_folder);
}

void choose_destination(HWND dialog) {
  dialog_state& state = dialog_state_of(dialog);
  if (!browse_for_folder(dialog, TEXT_PICK_DEST, state.last_dest_folder)) return;
  SetDlgItemTextA(dialog, IDC_DEST_EDIT, state.last_dest_folder);
  update_start_button(dialog);
}

// Only the list: Start and Remove keep their states until their rules next run.
void clear_sources(HWND dialog) { send_to_source_list(dialog, LB_RESETCONTENT, 0, 0); }
