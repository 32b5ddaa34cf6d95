// Win32 backend of the clock.
#include "platform/clock.h"

#include <windows.h>

#include <ctime>

int32_t clock_seconds() { return static_cast<int32_t>(time(nullptr)); }

void sleep_ms(int32_t milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }
