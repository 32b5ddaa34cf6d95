// Dropping files onto the dialog from outside, as the shell does at the end of a drag.
#include "tests/gui/ferrix_driver.h"

#include <shlobj.h>

#include <cstring>

namespace driver {

// The block is placed in ferrix.exe's memory, where the shell's would be. It stays there until
// the process ends: the dialog may still read it behind a message box, and DragFinish cannot
// free memory it did not allocate (under Wine the attempt fails quietly).
bool drop_files(const ferrix_process& process, int control_id,
                const std::vector<std::string>& names) {
  const RECT rect = client_rect_of_control(process.dialog, control(process.dialog, control_id));
  DROPFILES header = {};
  header.pFiles = sizeof header;
  header.pt = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  std::string block(sizeof header, '\0');
  memcpy(block.data(), &header, sizeof header);
  for (const std::string& name : names) block += name + '\0';
  block += '\0';
  void* address = VirtualAllocEx(process.info.hProcess, nullptr, block.size(),
                                 MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  return address != nullptr &&
         WriteProcessMemory(process.info.hProcess, address, block.data(), block.size(),
                            nullptr) &&
         PostMessageA(process.dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(address), 0);
}

}  // namespace driver
