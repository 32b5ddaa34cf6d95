// Drives a running ferrix.exe from a second process: starting and ending it, reading its
// controls, clicking, and finding its other windows.
#include "tests/gui/ferrix_driver.h"

#include <commctrl.h>

#include <cstdlib>

#include "res/control_ids.h"
#include "res/texts.h"

namespace driver {
namespace {
constexpr UINT gbk_code_page = 936;
constexpr int poll_interval_ms = 20;

std::string to_gbk(const wchar_t* text) {
  char buffer[4096];
  const int length = WideCharToMultiByte(gbk_code_page, 0, text, -1, buffer, sizeof buffer,
                                         nullptr, nullptr);
  return length > 0 ? std::string(buffer) : std::string();
}

struct window_search {
  DWORD process_id;
  std::string title;  // empty: any title
  HWND except;
  HWND owner;  // null: any owner
  HWND found;
  bool boxes_only = false;  // not a folder browser or a file dialog
  bool enabled_only = false;  // the top of a stack of modal windows
  bool hidden_too = false;  // also one not shown yet, over the owner it has disabled
};

constexpr int browser_tree = 14145;  // the folder browser's tree view
constexpr int file_name_box = 0x47C;  // the file dialogs' file-name combo box

BOOL CALLBACK match_window(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<window_search*>(parameter);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id != search->process_id || window == search->except) return TRUE;
  // One not shown yet counts once its modal loop has disabled the owner: hidden while the
  // owner is enabled, it is one that has just been closed.
  const bool shown = IsWindowVisible(window) || (search->hidden_too && search->owner != nullptr &&
                                                 !IsWindowEnabled(search->owner));
  if (class_of(window) != "#32770" || !shown) return TRUE;
  if (!search->title.empty() && text_of(window) != search->title) return TRUE;
  if (search->owner != nullptr && GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  if (search->boxes_only &&
      (GetDlgItem(window, browser_tree) != nullptr || GetDlgItem(window, file_name_box) != nullptr))
    return TRUE;
  if (search->enabled_only && !IsWindowEnabled(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find_window(window_search search) {
  EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND find_dialog_window(DWORD process_id, const std::string& title, HWND except, HWND owner) {
  return find_window(window_search{process_id, title, except, owner, nullptr});
}

struct text_search {
  std::string text;
  bool found;
};

BOOL CALLBACK match_child_text(HWND child, LPARAM parameter) {
  auto* search = reinterpret_cast<text_search*>(parameter);
  if (text_of(child) != search->text) return TRUE;
  search->found = true;
  return FALSE;
}

struct visible_windows {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_visible_window(HWND window, LPARAM parameter) {
  auto* windows = reinterpret_cast<visible_windows*>(parameter);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == windows->process_id && IsWindowVisible(window))
    windows->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK collect_static_text(HWND child, LPARAM parameter) {
  auto* texts = reinterpret_cast<std::string*>(parameter);
  if (_stricmp(class_of(child).c_str(), "Static") != 0) return TRUE;
  const std::string text = text_of(child);
  if (!text.empty()) *texts += text;
  return TRUE;
}
}  // namespace

bool wait_until(const std::function<bool()>& condition, int timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(poll_interval_ms);
  }
}

std::string ferrix_exe_path() {
  const char* configured = getenv("FERRIX_EXE");
  if (configured != nullptr && configured[0] != '\0') return configured;
  char own_path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, own_path, sizeof own_path);
  std::string folder(own_path);
  folder.resize(folder.find_last_of('\\') + 1);  // the tests' folder
  return folder + "..\\ferrix.exe";
}

bool launch_ferrix(ferrix_process& process) {
  return start_ferrix(process, "") && wait_for_dialog(process);
}

bool start_ferrix(ferrix_process& process, const std::string& arguments,
                  const std::string& folder) {
  const std::string exe = ferrix_exe_path();
  std::string command_line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup,
                        &process.info) != FALSE;
}

bool wait_for_dialog(ferrix_process& process, int timeout_ms) {
  wait_until(
      [&] {
        process.dialog =
            find_dialog_window(process.info.dwProcessId, TEXT_TITLE, nullptr, nullptr);
        return process.dialog != nullptr;
      },
      timeout_ms);
  return process.dialog != nullptr;
}

bool has_exited(const ferrix_process& process) {
  return process.info.hProcess == nullptr ||
         WaitForSingleObject(process.info.hProcess, 0) == WAIT_OBJECT_0;
}

int close_ferrix(ferrix_process& process, int timeout_ms) {
  if (process.info.hProcess == nullptr) return -1;
  if (!has_exited(process)) PostMessageA(process.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return wait_for_exit(process, timeout_ms);
}

int wait_for_exit(ferrix_process& process, int timeout_ms) {
  if (process.info.hProcess == nullptr) return -1;
  int exit_code = -1;
  if (WaitForSingleObject(process.info.hProcess, static_cast<DWORD>(timeout_ms)) ==
      WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process.info.hProcess, &code);
    exit_code = static_cast<int>(code);
  }
  kill_ferrix(process);
  return exit_code;
}

int end_ferrix(ferrix_process& process) {
  if (process.info.hProcess == nullptr) return -1;
  if (process.dialog == nullptr) wait_for_dialog(process, 0);
  bool close_asked = false;
  wait_until([&] {
    if (has_exited(process)) return true;
    window_search top{process.info.dwProcessId, "", process.dialog, nullptr, nullptr};
    top.enabled_only = true;
    if (HWND window = find_window(top)) {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);  // a box takes it as its OK
      wait_until_gone(window);
      close_asked = false;  // the dialog may have put the close off until the window went
    } else if (!close_asked) {
      close_asked = PostMessageA(process.dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    }
    return has_exited(process);
  });
  return close_ferrix(process, 0);
}

void kill_ferrix(ferrix_process& process) {
  if (process.info.hProcess == nullptr) return;
  if (!has_exited(process)) {
    TerminateProcess(process.info.hProcess, 99);
    WaitForSingleObject(process.info.hProcess, patience_ms);
  }
  CloseHandle(process.info.hThread);
  CloseHandle(process.info.hProcess);
  process.info = {};
  process.dialog = nullptr;
}

HWND control(HWND dialog, int control_id) { return GetDlgItem(dialog, control_id); }

std::string text_of(HWND window) {
  char buffer[1024] = "";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, patience_ms, &result);
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

std::string kept_text_of(HWND window) {
  wchar_t wide[1024] = L"";
  const int length = InternalGetWindowText(window, wide, sizeof wide / sizeof wide[0]);
  char buffer[2048] = "";
  WideCharToMultiByte(CP_ACP, 0, wide, length, buffer, sizeof buffer - 1, nullptr, nullptr);
  return buffer;
}

std::string control_text(HWND dialog, int control_id) {
  return text_of(control(dialog, control_id));
}

std::string class_of(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool is_enabled(HWND dialog, int control_id) {
  return IsWindowEnabled(control(dialog, control_id)) != FALSE;
}

bool is_visible(HWND dialog, int control_id) {
  return IsWindowVisible(control(dialog, control_id)) != FALSE;
}

bool is_checked(HWND dialog, int control_id) {
  return SendDlgItemMessageA(dialog, control_id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int progress_position(HWND dialog, int control_id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, control_id, PBM_GETPOS, 0, 0));
}

int slider_position(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_GETPOS, 0, 0));
}

std::vector<std::string> list_entries(HWND dialog) {
  // Across processes the list answers in UTF-16 whatever the call: ask for it and convert.
  HWND list = control(dialog, IDC_SOURCE_LIST);
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    wchar_t entry[1024] = L"";
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length < 0 || length >= 1024) {
      entries.push_back("<unreadable>");
      continue;
    }
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry));
    entries.push_back(to_gbk(entry));
  }
  return entries;
}

int list_selection(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_SOURCE_LIST, LB_GETCURSEL, 0, 0));
}

void click(HWND dialog, int control_id) {
  SendMessageA(control(dialog, control_id), BM_CLICK, 0, 0);
}

void post_click(HWND dialog, int control_id) {
  PostMessageA(control(dialog, control_id), BM_CLICK, 0, 0);
}

void select_list_entry(HWND dialog, int index) {
  HWND list = control(dialog, IDC_SOURCE_LIST);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void set_slider(HWND dialog, int position) {
  SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_SETPOS, TRUE, position);
}

HWND find_window_of(const ferrix_process& process, const std::string& title) {
  return find_dialog_window(process.info.dwProcessId, title, process.dialog, nullptr);
}

HWND wait_for_window_of(const ferrix_process& process, const std::string& title) {
  HWND found = nullptr;
  wait_until([&] { return (found = find_window_of(process, title)) != nullptr; });
  return found;
}

std::vector<HWND> visible_windows_of(const ferrix_process& process) {
  visible_windows windows{process.info.dwProcessId, {}};
  EnumWindows(collect_visible_window, reinterpret_cast<LPARAM>(&windows));
  return windows.found;
}

HWND wait_for_message_box(const ferrix_process& process, int timeout_ms) {
  HWND found = nullptr;
  window_search box{process.info.dwProcessId, "", process.dialog, process.dialog, nullptr};
  box.boxes_only = true;
  wait_until([&] { return (found = find_window(box)) != nullptr; }, timeout_ms);
  return found;
}

HWND message_box_now(const ferrix_process& process) {
  window_search box{process.info.dwProcessId, "", process.dialog, process.dialog, nullptr};
  box.boxes_only = true;
  box.hidden_too = true;
  return find_window(box);
}

std::string message_box_text(HWND box) {
  std::string texts;
  EnumChildWindows(box, collect_static_text, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

bool has_child_with_text(HWND window, const std::string& text) {
  text_search search{text, false};
  EnumChildWindows(window, match_child_text, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool wait_until_gone(HWND window) {
  return wait_until([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

namespace {
BOOL CALLBACK match_edit(HWND child, LPARAM parameter) {
  if (_stricmp(class_of(child).c_str(), "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(parameter) = child;
  return FALSE;
}
}  // namespace

HWND file_name_edit(HWND file_dialog) {
  HWND box = GetDlgItem(file_dialog, file_name_box);
  HWND edit = nullptr;
  if (box != nullptr) EnumChildWindows(box, match_edit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

bool press_and_wait_gone(HWND window, int button_id) {
  PostMessageA(GetDlgItem(window, button_id), BM_CLICK, 0, 0);
  return wait_until_gone(window);
}

}  // namespace driver
