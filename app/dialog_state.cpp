// The main dialog's own state, kept in its user data.
#include "app/dialog_state.h"

void keep_dialog_state(HWND dialog, LPARAM state) { SetWindowLongPtrA(dialog, DWLP_USER, state); }

dialog_state& dialog_state_of(HWND dialog) {
  return *reinterpret_cast<dialog_state*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
