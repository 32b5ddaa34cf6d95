// The shell's folder browser for Add and Browse.
#include "app/folder_browser.h"

#include <shlobj.h>

#include <cstdio>

#include "app/dialog_controls.h"
#include "res/texts.h"

namespace {
// Once the browser is up: its caption, and the remembered folder (the callback's data) as the
// preselection.
int CALLBACK browse_callback(HWND browser, UINT message, LPARAM, LPARAM remembered) {
  if (message != BFFM_INITIALIZED) return 0;
  SetWindowTextA(browser, TEXT_BROWSER_CAPTION);
  SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, remembered);
  return 0;
}
}  // namespace

bool browse_for_folder(HWND dialog, const char* prompt, char (&remembered)[windows_path_size]) {
  char display_name[MAX_PATH];  // required by the browser, not used
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.pidlRoot = nullptr;
  info.pszDisplayName = display_name;
  info.lpszTitle = prompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = browse_callback;
  info.lParam = reinterpret_cast<LPARAM>(remembered);
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (item == nullptr) return false;

  char path[MAX_PATH] = "";
  const bool has_path = SHGetPathFromIDListA(item, path) && path[0] != '\0';
  CoTaskMemFree(item);
  if (has_path) snprintf(remembered, sizeof remembered, "%s", path);
  return has_path;
}
