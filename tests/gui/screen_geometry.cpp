// Where the dialog's controls sit in pixels, and pictures of the screen around it.
#include "tests/gui/ferrix_driver.h"

#include <cstdio>
#include <cstdlib>

#include "res/texts.h"

namespace driver {
namespace {
INT_PTR CALLBACK ignore_messages(HWND, UINT, WPARAM, LPARAM) { return 0; }

std::wstring from_gbk(const std::string& text) {
  wchar_t buffer[1024];
  const int length = MultiByteToWideChar(936, 0, text.c_str(), -1, buffer,
                                         sizeof buffer / sizeof buffer[0]);
  return length > 0 ? std::wstring(buffer) : std::wstring();
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

base_units dialog_font_base_units() {
  // An empty dialog of our own with the product's font: the dialog manager maps its units
  // exactly as it maps Ferrix's template.
  struct {
    DLGTEMPLATE header;
    WORD menu, window_class, title;
    WORD point_size;
    wchar_t face[3];
  } __attribute__((packed, aligned(4))) tmpl = {};
  tmpl.header.style = WS_POPUP | DS_SETFONT;
  tmpl.header.cx = 10;
  tmpl.header.cy = 10;
  tmpl.point_size = 9;
  const std::wstring face = from_gbk(TEXT_DIALOG_FONT);
  face.copy(tmpl.face, 2);
  HWND probe = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, nullptr,
                                          ignore_messages, 0);
  RECT units = {0, 0, 4, 8};
  MapDialogRect(probe, &units);
  DestroyWindow(probe);
  return base_units{units.right, units.bottom};
}

RECT client_rect_of_control(HWND dialog, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool save_screenshot(HWND dialog, const std::string& name) {
  // The picture is taken outside Wine (tests/gui/run_with_screenshots.sh) on request.
  const char* folder = getenv("FERRIX_SCREENSHOT_DIR");
  if (folder == nullptr || folder[0] == '\0') return true;
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT frame = {};
  GetWindowRect(dialog, &frame);
  const int margin = 12;
  char geometry[64];
  snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", frame.right - frame.left + 2 * margin,
           frame.bottom - frame.top + 2 * margin, frame.left - margin, frame.top - margin);
  std::string base = "Z:" + std::string(folder) + "/" + name;
  for (char& c : base)
    if (c == '/') c = '\\';
  const std::string picture = base + ".png", request = base + ".request";
  DeleteFileA(picture.c_str());
  // Written under another name first, so the request is never read half-written.
  const std::string draft = base + ".draft";
  FILE* file = fopen(draft.c_str(), "wb");
  if (file == nullptr) return false;
  fputs(geometry, file);
  fclose(file);
  if (!MoveFileExA(draft.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  return wait_until([&] { return file_exists(picture); });
}

}  // namespace driver
