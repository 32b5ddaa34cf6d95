// Picking a folder in the program's folder browser from outside, as a user clicks through its
// tree: the drive is selected by the browser's own lookup, then each folder below it is found
// by its name among the children of the one before, expanded, and the last one selected.
//
// Not by the browser's lookup all the way: Wine's compares item IDs that hold each folder's
// access time, which its tree takes when it lists the folder's parent. A folder read after
// that, as the program's own preselection reads the remembered folder's neighbours, gets a new
// access time, and no lookup of it matches that tree again. Drive IDs hold no times.
#include "tests/gui/ferrix_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <vector>

namespace driver {
namespace {
constexpr int browser_tree_id = 14145;

// The parts of a GBK path between its backslashes, found character by character (a trail
// byte can be 0x5C too); empty parts are left out.
std::vector<std::string> path_parts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
      continue;
    }
    part += path[i];
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) part += path[++i];
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
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

// The browser's tree, read through a block in the program's memory.
struct browser_tree {
  static constexpr size_t text_offset = 64, text_size = 520;
  HWND window;
  remote_block block;
  browser_tree(const ferrix_process& process, HWND browser)
      : window(GetDlgItem(browser, browser_tree_id)),
        block(process.info.dwProcessId, text_offset + text_size) {}

  HTREEITEM next(HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(window, TVM_GETNEXTITEM, relation,
                                                    reinterpret_cast<LPARAM>(item)));
  }
  // The name the tree shows for an item (GBK bytes).
  std::string text(HTREEITEM item) {
    if (item == nullptr) return "";
    TVITEMA request = {};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<char*>(block.address + text_offset);
    request.cchTextMax = text_size;
    char shown[text_size] = "";
    if (!block.write(0, &request, sizeof request) ||
        !SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.address)) ||
        !block.read(text_offset, shown, sizeof shown))
      return "";
    shown[sizeof shown - 1] = '\0';
    return shown;
  }
  // Opens the item, as a click on its plus sign does, and finds the child of that name.
  HTREEITEM child_named(HTREEITEM parent, const std::string& name) {
    SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM child = next(parent, TVGN_CHILD); child != nullptr;
         child = next(child, TVGN_NEXT))
      if (text(child) == name) return child;
    return nullptr;
  }
};

// The drive of the path ("C:"), through the browser's lookup of its root; null if the tree
// did not select it.
HTREEITEM select_drive(const ferrix_process& process, HWND browser, browser_tree& tree,
                       const std::string& drive) {
  const std::string root = drive + "\\";
  remote_block block(process.info.dwProcessId, root.size() + 1);
  if (!block.write(0, root.c_str(), root.size() + 1)) return nullptr;
  SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(block.address));
  HTREEITEM item = tree.next(nullptr, TVGN_CARET);
  return tree.text(item).find(drive) != std::string::npos ? item : nullptr;
}
}  // namespace

bool select_folder_in_browser(const ferrix_process& process, HWND browser,
                              const std::string& path) {
  const std::vector<std::string> parts = path_parts(path);
  if (parts.empty()) return false;
  browser_tree tree(process, browser);
  HTREEITEM item = select_drive(process, browser, tree, parts[0]);
  for (size_t i = 1; i < parts.size() && item != nullptr; ++i)
    item = tree.child_named(item, parts[i]);
  if (item == nullptr) return false;
  SendMessageA(tree.window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return tree.text(tree.next(nullptr, TVGN_CARET)) == parts.back();
}

}  // namespace driver
