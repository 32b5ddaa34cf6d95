// Process entry: the whole program is one modal dialog, whose result is the exit code.
#include <windows.h>
#include <commctrl.h>

#include "app/dialog_state.h"
#include "app/job_log.h"
#include "app/main_dialog.h"
#include "app/job_display.h"
#include "app/unattended_start.h"
#include "res/control_ids.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  static dialog_state state;  // lives as long as the dialog
  if (!take_command_line(state.options)) {
    state.refused_before_start = true;
    close_job_log();
    return dialog_result(state);
  }
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                         MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr,
                                         main_dialog_proc, reinterpret_cast<LPARAM>(&state));
  close_job_log();
  return static_cast<int>(result);
}
