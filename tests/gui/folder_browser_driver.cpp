// Picking a folder in the program's folder browser from outside: the path is handed over in
// the program's own memory, and the browser's tree is read back until it shows the folder.
#include "tests/gui/ferrix_driver.h"

#include <commctrl.h>
#include <shlobj.h>

namespace driver {
namespace {
constexpr int browser_tree_id = 14145;

// The last part of a GBK path: the text after its last backslash, found character by character
// (a trail byte can be 0x5C too).
std::string last_path_part(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size())
      ++i;
    else if (c == '\\')
      start = i + 1;
  }
  return path.substr(start);
}

// Memory inside the ferrix process, for messages whose pointers it reads itself.
struct remote_block {
  HANDLE process = nullptr;
  BYTE* address = nullptr;
  explicit remote_block(DWORD process_id, size_t size) {
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                          process_id);
    if (process != nullptr)
      address = static_cast<BYTE*>(
          VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  ~remote_block() {
    if (address != nullptr) VirtualFreeEx(process, address, 0, MEM_RELEASE);
    if (process != nullptr) CloseHandle(process);
  }
  bool write(size_t offset, const void* data, size_t size) {
    return address != nullptr &&
           WriteProcessMemory(process, address + offset, data, size, nullptr) != FALSE;
  }
  bool read(size_t offset, void* data, size_t size) {
    return address != nullptr &&
           ReadProcessMemory(process, address + offset, data, size, nullptr) != FALSE;
  }
};

// The name the browser's tree shows for its selected folder.
std::string selected_folder_name(const ferrix_process& process, HWND browser) {
  HWND tree = GetDlgItem(browser, browser_tree_id);
  const LRESULT item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  if (item == 0) return "";
  constexpr size_t text_offset = 64, text_size = 520;
  remote_block block(process.info.dwProcessId, text_offset + text_size);
  TVITEMA request = {};
  request.mask = TVIF_TEXT | TVIF_HANDLE;
  request.hItem = reinterpret_cast<HTREEITEM>(item);
  request.pszText = reinterpret_cast<char*>(block.address + text_offset);
  request.cchTextMax = text_size;
  char text[text_size] = "";
  if (!block.write(0, &request, sizeof request) ||
      !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.address)) ||
      !block.read(text_offset, text, sizeof text))
    return "";
  text[sizeof text - 1] = '\0';
  return text;
}
}  // namespace

bool select_folder_in_browser(const ferrix_process& process, HWND browser,
                              const std::string& path) {
  remote_block block(process.info.dwProcessId, path.size() + 1);
  if (!block.write(0, path.c_str(), path.size() + 1)) return false;
  // Wine's browser now and then loses a selection while it walks its tree: ask again until
  // the tree shows the folder selected.
  const std::string name = last_path_part(path);
  return wait_until([&] {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(block.address));
    return wait_until([&] { return selected_folder_name(process, browser) == name; }, 1000);
  });
}

}  // namespace driver
