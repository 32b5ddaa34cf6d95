// The main dialog's message dispatch, its start and its end.
#include "app/main_dialog.h"

#include "app/dialog_messages.h"
#include "app/dialog_state.h"
#include "app/file_drop.h"
#include "app/job_commands.h"
#include "app/job_display.h"
#include "app/settings_commands.h"
#include "app/source_selection.h"
#include "app/speed_control.h"
#include "app/unattended_start.h"
#include "app/verify_menu.h"
#include "app/verify_option.h"
#include "core/job_state.h"
#include "res/control_ids.h"

namespace {
void initialise_dialog(HWND dialog, LPARAM state) {
  keep_dialog_state(dialog, state);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_FERRIX));
  SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  set_up_speed_slider(dialog);
  accept_dropped_files(dialog);
  add_verify_menu_item(dialog);
  show_verify_option(dialog);
  open_job_of_command_line(dialog);
}

// A running worker is stopped first and the dialog ends once it has cleaned up (its partial
// file deleted); the dialog keeps handling the worker's messages meanwhile, but takes no new
// command: nothing may start that the ending dialog would cut short.
void close_dialog(HWND dialog) {
  if (load(job_state.worker_alive) == 0) {
    EndDialog(dialog, dialog_result(dialog_state_of(dialog)));
    return;
  }
  if (load(job_state.closing) != 0) return;
  store(job_state.closing, 1);
  if (load(job_state.started) != 0) stop_job(dialog);
  EnableWindow(dialog, FALSE);
}

// A /start run ends with its job.
void end_of_worker(HWND dialog) {
  forget_worker(dialog);
  const dialog_state& state = dialog_state_of(dialog);
  if (load(job_state.closing) != 0 || state.options.start) EndDialog(dialog, dialog_result(state));
}

void run_command(HWND dialog, int control_id, int notification) {
  switch (control_id) {
    case IDC_SOURCE_LIST:
      if (notification == LBN_SELCHANGE) update_remove_button(dialog);
      break;
    case IDC_ADD: add_source_from_browser(dialog); break;
    case IDC_REMOVE: remove_selected_source(dialog); break;
    case IDC_BROWSE: choose_destination(dialog); break;
    case IDC_START_STOP: start_or_stop_job(dialog); break;
    case IDC_PAUSE: toggle_pause(dialog); break;
    case IDC_OVERWRITE_ALL:
    case IDC_DONT_NOTIFY: follow_option_box(dialog, control_id); break;
    case IDC_SAVE: prompt_save_settings(dialog); break;
    case IDC_LOAD: prompt_load_settings(dialog); break;
    case IDC_CLEAR_ALL: clear_sources(dialog); break;
    default: break;  // IDOK and IDCANCEL too: neither Enter nor Esc closes the dialog
  }
}
}  // namespace

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: initialise_dialog(dialog, lparam); break;
    case WM_CLOSE: close_dialog(dialog); break;
    case WM_NOTIFY:
      if (LOWORD(wparam) == IDC_SPEED_SLIDER) follow_speed_slider(dialog);
      break;
    case WM_COMMAND: run_command(dialog, LOWORD(wparam), HIWORD(wparam)); break;
    case WM_SYSCOMMAND:
      // Every other system command keeps the default handling, which FALSE asks for.
      if (!is_verify_menu_command(wparam)) return FALSE;
      toggle_verify_option(dialog);
      return TRUE;
    case WM_DROPFILES: take_dropped_files(dialog, reinterpret_cast<HDROP>(wparam)); break;
    case job_finished_message:
      if (lparam == job_finished_lparam) finish_job(dialog);
      break;
    case worker_gone_message: end_of_worker(dialog); break;
    case WM_TIMER:
      if (wparam == display_timer_id) show_pending_display(dialog);
      break;
    case show_pending_message: show_pending_display(dialog); break;
    default: break;
  }
  return 0;
}
