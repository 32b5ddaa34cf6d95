// Save and Load: the file dialogs and the transfer between the dialog's controls and a
// settings file.
#include "app/settings_commands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include "app/dialog_controls.h"
#include "app/dialog_state.h"
#include "app/source_selection.h"
#include "app/speed_control.h"
#include "app/verify_option.h"
#include "core/job_state.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "settings/job_paths.h"
#include "settings/read_settings.h"
#include "settings/settings_keys.h"
#include "settings/write_settings.h"

namespace {
// Two label/pattern pairs; the literal's own NUL closes the list.
constexpr char settings_filter[] = TEXT_SETTINGS_FILTER_NAME "\0" TEXT_SETTINGS_PATTERN "\0"
                                   TEXT_ALL_FILES_FILTER_NAME "\0" TEXT_ALL_FILES_PATTERN "\0";

// The file dialogs' shared set-up: 259 of the buffer's 260 bytes are offered to the dialog.
OPENFILENAMEA file_dialog_setup(HWND dialog, char (&path)[windows_path_size], const char* title,
                                DWORD flags) {
  OPENFILENAMEA setup = {};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = dialog;
  setup.lpstrFilter = settings_filter;
  setup.nFilterIndex = 1;
  setup.lpstrFile = path;
  setup.nMaxFile = sizeof path - 1;
  setup.lpstrTitle = title;
  setup.Flags = flags;
  setup.lpstrDefExt = TEXT_SETTINGS_EXTENSION;
  return setup;
}

// Offers one source to the list, a relative one read against the job file's folder and listed
// in full. Once the list is full, the refused entry (add_source tells the user) ends the loading
// of sources. "E:x" is refused: it would mean whatever drive E's current folder happens to be.
struct source_loading {
  HWND dialog;
  bool refused;  // a source was refused (and named)
};

bool take_source(void* context, const char* value) {
  source_loading& loading = *static_cast<source_loading*>(context);
  if (job_path_form_of(value) == job_path_form::drive_relative) {
    show_path_error(loading.dialog, TEXT_SOURCE_NOT_FULL_PATH, value);
    loading.refused = true;
    return true;
  }
  const std::string source =
      absolute_job_path(dialog_state_of(loading.dialog).settings_path, value);
  const bool list_was_full =
      send_to_source_list(loading.dialog, LB_GETCOUNT, 0, 0) >= max_sources;
  if (!add_source(loading.dialog, source.c_str())) loading.refused = true;
  return !list_was_full;
}

// The destination, a relative one read against the job file's folder and shown in full. False
// when it was refused (and named).
bool load_dest(HWND dialog, const char* path) {
  char value[settings_value_size];
  const bool value_fits = read_dest(path, value);
  const std::string full = absolute_job_path(path, value);
  const char* dest = value_fits ? full.c_str() : value;
  const bool drive_relative = job_path_form_of(value) == job_path_form::drive_relative;
  if (value_fits && !drive_relative && full.size() < static_cast<size_t>(windows_path_size)) {
    SetDlgItemTextA(dialog, IDC_DEST_EDIT, dest);
    return true;
  }
  // Cut to fit, or read against a drive's current folder, it would name another folder: the
  // copy would land in the wrong place.
  SetDlgItemTextA(dialog, IDC_DEST_EDIT, "");
  show_path_error(dialog, drive_relative ? TEXT_DEST_NOT_FULL_PATH : TEXT_DEST_TOO_LONG, dest);
  return false;
}

void set_check_box(HWND dialog, int check_box_id, int32_t option) {
  CheckDlgButton(dialog, check_box_id, option == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// The list's entries (each came through add_source, so each fits its slot), the destination
// as the field shows it, the options as the user set them (a /start run's lock of 没有错误通知
// is not the job's), verification as the system menu shows it, the slider.
void gather_job(HWND dialog, job_settings* job) {
  const dialog_state& state = dialog_state_of(dialog);
  const LRESULT count = send_to_source_list(dialog, LB_GETCOUNT, 0, 0);
  job->source_count =
      static_cast<int32_t>(count < 0 ? 0 : (count > max_sources ? max_sources : count));
  for (int32_t i = 0; i < job->source_count; ++i) {
    char entry[settings_value_size] = "";
    if (send_to_source_list(dialog, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof entry))
      send_to_source_list(dialog, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
    snprintf(job->sources[i], sizeof job->sources[i], "%s", entry);
  }
  GetDlgItemTextA(dialog, IDC_DEST_EDIT, job->dest, sizeof job->dest);
  job->overwrite_all = load(job_state.overwrite_all);
  job->dont_notify = state.options.start ? state.dont_notify_as_set : load(job_state.dont_notify);
  job->verify = state.verify;
  job->speed_position =
      static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_GETPOS, 0, 0));
}
}  // namespace

void prompt_load_settings(HWND dialog) {
  char path[windows_path_size] = "";
  OPENFILENAMEA setup = file_dialog_setup(dialog, path, TEXT_LOAD_TITLE,
                                          OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  if (GetOpenFileNameA(&setup)) load_settings_file(dialog, path);
}

bool load_settings_file(HWND dialog, const char* path) {
  char (&settings_path)[windows_path_size] = dialog_state_of(dialog).settings_path;
  if (path != settings_path) snprintf(settings_path, sizeof settings_path, "%s", path);
  const int32_t source_count = read_source_count(path);
  send_to_source_list(dialog, LB_RESETCONTENT, 0, 0);
  source_loading loading{dialog, false};
  read_sources(path, source_count, take_source, &loading);
  const bool dest_taken = load_dest(dialog, path);
  store(job_state.overwrite_all, read_option(path, key_overwrite_all));
  store(job_state.dont_notify, read_option(path, key_dont_notify));
  set_verify_option(dialog, read_option(path, key_verify));  // off where the file lacks the key
  SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_SETPOS, TRUE, read_speed_position(path));
  // The slider tells the dialog of a position set by a program only when it next repaints
  // (later, and never while hidden): the speed fields follow the loaded position now.
  follow_speed_slider(dialog);
  set_check_box(dialog, IDC_OVERWRITE_ALL, load(job_state.overwrite_all));
  set_check_box(dialog, IDC_DONT_NOTIFY, load(job_state.dont_notify));
  update_start_button(dialog);
  return !loading.refused && dest_taken;
}

void prompt_save_settings(HWND dialog) {
  char (&settings_path)[windows_path_size] = dialog_state_of(dialog).settings_path;
  char path[windows_path_size];
  snprintf(path, sizeof path, "%s", settings_path);
  OPENFILENAMEA setup = file_dialog_setup(dialog, path, TEXT_SAVE_TITLE,
                                          OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  if (!GetSaveFileNameA(&setup)) return;
  snprintf(settings_path, sizeof settings_path, "%s", path);
  static job_settings job;  // 130 KB: kept off the dialog thread's stack
  gather_job(dialog, &job);
  if (save_job_settings(path, job) != save_result::saved)
    show_path_error(dialog, TEXT_SAVE_FAILED, path);
}
