// Reading an item of ferrix.exe's system menu. Wine keeps a menu in the memory of the process
// that owns it: GetSystemMenu of another process's window gives no menu there, and a foreign
// HMENU reads as none. So the two calls run inside ferrix.exe, on a thread of its own started
// there, and the item's state comes back as that thread's exit code. System DLLs sit at one
// address in every process of a session, so the calls' addresses are the ones seen here.
#include "tests/gui/ferrix_driver.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace driver {
namespace {
// What the thread reads, placed in ferrix.exe's memory right after its code.
struct menu_query {
  HWND dialog;
  UINT item_id;
  FARPROC get_system_menu;
  FARPROC get_menu_state;
};

// DWORD WINAPI thread(menu_query* query):
//   return GetMenuState(GetSystemMenu(query->dialog, FALSE), query->item_id, MF_BYCOMMAND);
// A missing menu gives GetMenuState a null menu, which it answers with 0xFFFFFFFF.
constexpr uint8_t query_code[] = {
    0x8B, 0x4C, 0x24, 0x04,  // mov ecx, [esp+4]      the query
    0x6A, 0x00,              // push FALSE            bRevert
    0xFF, 0x31,              // push [ecx]            dialog
    0xFF, 0x51, 0x08,        // call [ecx+8]          GetSystemMenu
    0x8B, 0x4C, 0x24, 0x04,  // mov ecx, [esp+4]      (a call may change ecx)
    0x6A, 0x00,              // push MF_BYCOMMAND
    0xFF, 0x71, 0x04,        // push [ecx+4]          item_id
    0x50,                    // push eax              the menu
    0xFF, 0x51, 0x0C,        // call [ecx+12]         GetMenuState
    0xC2, 0x04, 0x00,        // ret 4
};
static_assert(sizeof(void*) == 4, "the thread's code is 32-bit x86");
static_assert(offsetof(menu_query, item_id) == 4 && offsetof(menu_query, get_system_menu) == 8 &&
              offsetof(menu_query, get_menu_state) == 12);

constexpr size_t query_offset = 32;  // past the code, aligned
static_assert(sizeof query_code <= query_offset);
}  // namespace

UINT system_menu_item_state(const ferrix_process& process, int item_id) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const menu_query query = {process.dialog, static_cast<UINT>(item_id),
                            GetProcAddress(user32, "GetSystemMenu"),
                            GetProcAddress(user32, "GetMenuState")};
  uint8_t block[query_offset + sizeof query] = {};
  memcpy(block, query_code, sizeof query_code);
  memcpy(block + query_offset, &query, sizeof query);
  HANDLE target = process.info.hProcess;
  auto* address = static_cast<uint8_t*>(VirtualAllocEx(
      target, nullptr, sizeof block, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
  if (address == nullptr) return no_menu_item;
  DWORD state = no_menu_item;
  HANDLE thread = nullptr;
  if (WriteProcessMemory(target, address, block, sizeof block, nullptr) &&
      FlushInstructionCache(target, address, sizeof block))
    thread = CreateRemoteThread(target, nullptr, 0,
                                reinterpret_cast<LPTHREAD_START_ROUTINE>(address),
                                address + query_offset, 0, nullptr);
  const bool ended = thread == nullptr || WaitForSingleObject(thread, patience_ms) == WAIT_OBJECT_0;
  if (thread != nullptr) {
    if (!ended || !GetExitCodeThread(thread, &state)) state = no_menu_item;
    CloseHandle(thread);
  }
  // A thread that has not ended may still read the block: it stays then.
  if (ended) VirtualFreeEx(target, address, 0, MEM_RELEASE);
  return state;
}

}  // namespace driver
