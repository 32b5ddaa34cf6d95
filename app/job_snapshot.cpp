// Start's copy of the job's inputs from the dialog into job_state.
#include "app/job_snapshot.h"

#include <string>

#include "app/dialog_controls.h"
#include "app/dialog_state.h"
#include "core/job_state.h"
#include "res/control_ids.h"

namespace {
void snapshot_listed_source(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) {
    snapshot_source(index, "");
    return;
  }
  std::string scratch(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(scratch.data()));
  snapshot_source(index, scratch.c_str());
}
}  // namespace

void take_job_snapshot(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SOURCE_LIST);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  // add_source keeps the list within the slots; the bound only guards the array.
  const int source_count = count < 0 ? 0 : count > max_sources ? max_sources : int(count);
  for (int index = 0; index < source_count; ++index) snapshot_listed_source(list, index);
  job_state.source_count = source_count;

  char dest[windows_path_size];
  GetDlgItemTextA(dialog, IDC_DEST_EDIT, dest, COUNTOF(dest));
  snapshot_dest_root(dest);
  job_state.verify = dialog_state_of(dialog).verify;
}
