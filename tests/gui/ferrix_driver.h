// Drives a running ferrix.exe from a second process the way a user's clicks and keys reach it:
// window messages to its dialog and controls, and reads of what they show.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

// Generous on purpose: under Wine a first window or a folder browser can take seconds.
constexpr int patience_ms = 30000;

// Polls until the condition holds or the patience runs out; true if it held.
bool wait_until(const std::function<bool()>& condition, int timeout_ms = patience_ms);

struct ferrix_process {
  PROCESS_INFORMATION info{};
  HWND dialog = nullptr;
};

// ferrix.exe: $FERRIX_EXE, or the one built beside the tests' folder.
std::string ferrix_exe_path();
// Starts ferrix.exe and waits for its dialog; false if no dialog came up.
bool launch_ferrix(ferrix_process& process);
// Starts ferrix.exe with these arguments after its quoted name, in folder (empty: the tests'
// own), and returns at once: a box may come before the dialog.
bool start_ferrix(ferrix_process& process, const std::string& arguments,
                  const std::string& folder = "");
// Waits for the dialog to show; false if it did not.
bool wait_for_dialog(ferrix_process& process, int timeout_ms = patience_ms);
// The title bar's close button; returns the exit code, or -1 if the process did not end in
// time (it is then terminated).
int close_ferrix(ferrix_process& process, int timeout_ms = patience_ms);
// Waits until the process ends by itself; returns its exit code, or -1 if it did not end in
// time (it is then terminated).
int wait_for_exit(ferrix_process& process, int timeout_ms = patience_ms);
// Closes the program whatever it shows: each window over the dialog (a folder browser, a file
// dialog, a box) is cancelled, the top one first, then the dialog is closed, and windows that
// come while it closes are cancelled too. Returns the exit code, or -1 if the process did not
// end (it is then terminated). For clean-up after a test.
int end_ferrix(ferrix_process& process);
// Ends the process without asking; for clean-up after a failed test.
void kill_ferrix(ferrix_process& process);
bool has_exited(const ferrix_process& process);

// Reading the dialog.
HWND control(HWND dialog, int control_id);
std::string text_of(HWND window);  // GBK bytes
// The text as the window system keeps it, read without a message to the dialog's thread: for
// polling that must not slow the job it watches.
std::string kept_text_of(HWND window);  // GBK bytes
std::string control_text(HWND dialog, int control_id);
std::string class_of(HWND window);
bool is_enabled(HWND dialog, int control_id);
bool is_visible(HWND dialog, int control_id);
bool is_checked(HWND dialog, int control_id);
int progress_position(HWND dialog, int control_id);
int slider_position(HWND dialog);
std::vector<std::string> list_entries(HWND dialog);  // GBK bytes
int list_selection(HWND dialog);

// Acting on the dialog.
// BM_CLICK; returns when the dialog has handled the click.
void click(HWND dialog, int control_id);
// BM_CLICK queued, for a button that opens a modal window.
void post_click(HWND dialog, int control_id);
// Selects an entry as a click on the list does: the selection, then its notification.
void select_list_entry(HWND dialog, int index);
// Moves the slider as the program itself would: TBM_SETPOS with redraw.
void set_slider(HWND dialog, int position);
// Drops these files (GBK paths) onto the middle of a control of the dialog, as the shell
// does: WM_DROPFILES, posted, since the dialog may answer with a message box.
bool drop_files(const ferrix_process& process, int control_id,
                const std::vector<std::string>& names);

// The program's other windows: folder browser, message boxes.
HWND find_window_of(const ferrix_process& process, const std::string& title);
HWND wait_for_window_of(const ferrix_process& process, const std::string& title);
// Every visible top-level window of the program: its dialog, and any box or browser.
std::vector<HWND> visible_windows_of(const ferrix_process& process);
// A message box owned by the dialog, whatever its caption (not a folder browser or a file
// dialog); null if none came.
HWND wait_for_message_box(const ferrix_process& process, int timeout_ms = patience_ms);
// A message box owned by the dialog at this moment, shown or still being set up: once the
// dialog has answered a message, any box it opened before is there. Null if none.
HWND message_box_now(const ferrix_process& process);
std::string message_box_text(HWND box);
bool has_child_with_text(HWND window, const std::string& text);
bool wait_until_gone(HWND window);

// In a folder browser: selects the folder (the path is written into the program's memory and
// handed over with BFFM_SETSELECTIONA) and waits until the tree shows it selected; false if
// it never did.
bool select_folder_in_browser(const ferrix_process& process, HWND browser,
                              const std::string& path);
// The file-name field of an open or save dialog: the Edit inside its combo box 0x47C.
HWND file_name_edit(HWND file_dialog);
// Presses OK (IDOK) or Cancel (IDCANCEL) of a modal window and waits until it is gone.
bool press_and_wait_gone(HWND window, int button_id);

// Dialog units to pixels for the dialog's font, as the dialog manager maps a template.
struct base_units {
  int x;
  int y;
};
base_units dialog_font_base_units();
RECT client_rect_of_control(HWND dialog, HWND child);

// A picture of the screen around the dialog as NAME.png in $FERRIX_SCREENSHOT_DIR (a Unix
// path; skipped when unset), taken by tests/gui/run_with_screenshots.sh on request; true when
// the file is there.
bool save_screenshot(HWND dialog, const std::string& name);

}  // namespace driver
