// The verification item of the dialog's system menu.
#include "app/verify_menu.h"

#include "res/control_ids.h"
#include "res/texts.h"

static_assert(IDM_VERIFY_AFTER_COPY % 16 == 0 && IDM_VERIFY_AFTER_COPY < 0xF000,
              "a system menu item's id keeps the low four bits free and stays below SC_SIZE");

void add_verify_menu_item(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_VERIFY_AFTER_COPY, TEXT_VERIFY_MENU_ITEM);
}

void show_verify_menu_item(HWND dialog, bool verify_on, bool job_running) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  CheckMenuItem(menu, IDM_VERIFY_AFTER_COPY,
                MF_BYCOMMAND | (verify_on ? MF_CHECKED : MF_UNCHECKED));
  EnableMenuItem(menu, IDM_VERIFY_AFTER_COPY,
                 MF_BYCOMMAND | (job_running ? MF_GRAYED : MF_ENABLED));
}

bool is_verify_menu_command(WPARAM command) {
  return (command & 0xFFF0) == IDM_VERIFY_AFTER_COPY;
}
