// The main dialog as a user and the code know it: 27 controls in template (and tab) order.
// Shared by the checks of the compiled template and of the running dialog.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "res/control_ids.h"
#include "res/texts.h"

namespace gui_table {

constexpr int no_id = 0xFFFF;  // a control the code never addresses (-1 in a 16-bit id)

struct expected_control {
  const char* role;        // names the case
  int id;
  const char* class_name;  // as the template names it
  const char* text;        // GBK; empty for a picture
  int bitmap;              // the bitmap a picture shows, else 0
  int x, y, width, height;  // dialog units
  DWORD style;             // every style bit of the control
};

constexpr DWORD child = WS_CHILD | WS_VISIBLE;
constexpr DWORD label = child | SS_LEFT | WS_GROUP;
constexpr DWORD push_button = child | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD check_box = child | BS_AUTOCHECKBOX | WS_TABSTOP;

inline const expected_control controls[] = {
    {"source_caption", no_id, "STATIC", TEXT_SOURCE_CAPTION, 0, 7, 21, 31, 8, label},
    {"source_list", IDC_SOURCE_LIST, "LISTBOX", "", 0, 7, 30, 327, 40,
     child | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
         LBS_NOINTEGRALHEIGHT},
    {"dest_caption", no_id, "STATIC", TEXT_DEST_CAPTION, 0, 7, 80, 40, 8, label},
    {"dest_edit", IDC_DEST_EDIT, "EDIT", "", 0, 7, 89, 274, 14,
     child | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL},
    {"add", IDC_ADD, "BUTTON", TEXT_ADD, 0, 284, 72, 50, 14, push_button},
    {"remove", IDC_REMOVE, "BUTTON", TEXT_REMOVE, 0, 232, 72, 50, 14, push_button | WS_DISABLED},
    {"browse", IDC_BROWSE, "BUTTON", TEXT_BROWSE, 0, 284, 89, 50, 14, push_button},
    {"speed_slider", IDC_SPEED_SLIDER, "msctls_trackbar32", TEXT_SLIDER_NAME, 0, 48, 128, 221,
     12, child | TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP},
    {"speed_caption", no_id, "STATIC", TEXT_SPEED_CAPTION, 0, 7, 129, 41, 8, label},
    {"speed_text", IDC_SPEED_TEXT, "STATIC", TEXT_UNLIMITED, 0, 277, 130, 62, 8, label},
    {"start_stop", IDC_START_STOP, "BUTTON", TEXT_START, 0, 284, 197, 50, 14,
     push_button | WS_DISABLED},
    {"file_progress", IDC_FILE_PROGRESS, "msctls_progress32", TEXT_PROGRESS_NAME, 0, 7, 153,
     327, 11, child | WS_BORDER},
    {"current_file_caption", no_id, "STATIC", TEXT_CURRENT_FILE_CAPTION, 0, 7, 144, 43, 8, label},
    {"all_files_caption", no_id, "STATIC", TEXT_ALL_FILES_CAPTION, 0, 7, 165, 41, 8, label},
    {"all_progress", IDC_ALL_PROGRESS, "msctls_progress32", TEXT_PROGRESS_NAME, 0, 7, 174, 327,
     11, child | WS_BORDER},
    {"status_line", IDC_STATUS_LINE, "STATIC", "", 0, 7, 188, 273, 8, label},
    {"current_file", IDC_CURRENT_FILE, "STATIC", "", 0, 48, 144, 286, 8, label},
    {"banner", no_id, "STATIC", "", IDB_BANNER, 232, 6, 102, 20, child | SS_BITMAP},
    {"pause", IDC_PAUSE, "BUTTON", TEXT_PAUSE, 0, 231, 197, 50, 14, push_button | WS_DISABLED},
    {"overwrite_all", IDC_OVERWRITE_ALL, "BUTTON", TEXT_OVERWRITE_ALL, 0, 7, 106, 85, 10,
     check_box},
    {"dont_notify", IDC_DONT_NOTIFY, "BUTTON", TEXT_DONT_NOTIFY, 0, 7, 115, 77, 10, check_box},
    {"speed_unlimited", IDC_SPEED_UNLIMITED, "STATIC", "", IDB_UNLIMITED, 280, 122, 53, 19,
     WS_CHILD | SS_BITMAP},
    {"save", IDC_SAVE, "BUTTON", TEXT_SAVE, 0, 128, 72, 50, 14, push_button},
    {"load", IDC_LOAD, "BUTTON", TEXT_LOAD, 0, 76, 72, 50, 14, push_button},
    {"clear_all", IDC_CLEAR_ALL, "BUTTON", TEXT_CLEAR_ALL, 0, 180, 72, 50, 14, push_button},
    {"estimate_line", IDC_ESTIMATE_LINE, "STATIC", "", 0, 7, 203, 215, 8, label},
    {"heading", no_id, "STATIC", TEXT_HEADING, 0, 86, 13, 117, 12, label},
};

constexpr int control_count = sizeof controls / sizeof controls[0];

constexpr DWORD dialog_style =
    DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int dialog_width = 343;
constexpr int dialog_height = 229;

// Parameters of the per-control suites: the index into controls, named after the role.
inline auto every_control() { return testing::Range(0, control_count); }
inline std::string control_case_name(const testing::TestParamInfo<int>& info) {
  return controls[info.param].role;
}

}  // namespace gui_table
