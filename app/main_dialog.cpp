// The main dialog's message dispatch.
#include "app/main_dialog.h"

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) EndDialog(dialog, 1);
  return 0;
}
