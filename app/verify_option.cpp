// The dialog's verification option and its system menu item.
#include "app/verify_option.h"

#include "app/dialog_state.h"
#include "app/verify_menu.h"
#include "core/job_state.h"

void set_verify_option(HWND dialog, int32_t verify) {
  dialog_state_of(dialog).verify = verify == 1 ? 1 : 0;
  show_verify_option(dialog);
}

void show_verify_option(HWND dialog) {
  show_verify_menu_item(dialog, dialog_state_of(dialog).verify == 1,
                        load(job_state.started) != 0);
}

void toggle_verify_option(HWND dialog) {
  if (load(job_state.started) != 0) return;
  set_verify_option(dialog, dialog_state_of(dialog).verify == 1 ? 0 : 1);
}
