// Process entry: the whole program is one modal dialog, whose result is the exit code.
#include <windows.h>
#include <commctrl.h>

#include "app/dialog_state.h"
#include "app/main_dialog.h"
#include "res/control_ids.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  static dialog_state state;  // lives as long as the dialog
  return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr),
                                          MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr,
                                          main_dialog_proc, reinterpret_cast<LPARAM>(&state)));
}
