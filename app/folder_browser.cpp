// The shell's folder browser for Add and Browse.
#include "app/folder_browser.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "app/dialog_controls.h"
#include "res/texts.h"

namespace {
// The callback's data: the remembered folder, and whether the browser has selected it.
struct preselection {
  const char* folder;
  bool selected;
};

// Once the browser is up: its caption, and the remembered folder as the preselection.
int CALLBACK browse_callback(HWND browser, UINT message, LPARAM item, LPARAM data) {
  auto* wanted = reinterpret_cast<preselection*>(data);
  if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH] = "";
    wanted->selected = item != 0 &&
                       SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(item), path) &&
                       strcmp(path, wanted->folder) == 0;
    return 0;
  }
  if (message != BFFM_INITIALIZED) return 0;
  SetWindowTextA(browser, TEXT_BROWSER_CAPTION);
  // Wine's browser finds a path by comparing item IDs that hold the folders' access times, and
  // its lookup reads the folders on the way, so a folder changed since it was last read gets a
  // new access time between the lookup's ID and the one its tree takes: the first lookup then
  // misses, and the browser would open on the desktop. Asked again, it meets the settled times.
  for (int lookup = 0; lookup < 2 && !wanted->selected; ++lookup)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(wanted->folder));
  return 0;
}
}  // namespace

bool browse_for_folder(HWND dialog, const char* prompt, char (&remembered)[windows_path_size]) {
  char display_name[MAX_PATH];  // required by the browser, not used
  preselection wanted{remembered, false};
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.pidlRoot = nullptr;
  info.pszDisplayName = display_name;
  info.lpszTitle = prompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = browse_callback;
  info.lParam = reinterpret_cast<LPARAM>(&wanted);
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (item == nullptr) return false;

  char path[MAX_PATH] = "";
  const bool has_path = SHGetPathFromIDListA(item, path) && path[0] != '\0';
  CoTaskMemFree(item);
  if (has_path) snprintf(remembered, sizeof remembered, "%s", path);
  return has_path;
}
