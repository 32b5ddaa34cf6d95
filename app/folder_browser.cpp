// The shell's folder browser for Add and Browse.
#include "app/folder_browser.h"

#include <shlobj.h>

#include <cstdio>

#include "app/dialog_controls.h"
#include "res/texts.h"

bool browse_for_folder(HWND dialog, const char* prompt, int32_t target,
                       char (&folder)[dialog_path_size]) {
  char display_name[MAX_PATH];  // required by the browser, not used
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.pidlRoot = nullptr;
  info.pszDisplayName = display_name;
  info.lpszTitle = prompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = browse_callback;
  info.lParam = target;
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (item == nullptr) return false;

  char path[MAX_PATH] = "";
  const bool has_path = SHGetPathFromIDListA(item, path) && path[0] != '\0';
  CoTaskMemFree(item);
  if (has_path) snprintf(folder, sizeof folder, "%s", path);
  return has_path;
}

int CALLBACK browse_callback(HWND browser, UINT message, LPARAM, LPARAM) {
  if (message != BFFM_INITIALIZED) return 0;
  SetWindowTextA(browser, TEXT_BROWSER_CAPTION);
  // The remembered folder is preselected even while it is still empty.
  const char* remembered = nullptr;
  if (job_state.browse_target == 0) remembered = job_state.last_source_folder;
  if (job_state.browse_target == 1) remembered = job_state.last_dest_folder;
  if (remembered != nullptr)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remembered));
  return 0;
}
