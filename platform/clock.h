// The worker's sense of time: calendar seconds and sleeping. Tests link a fake backend so
// that no test waits on the wall clock.
#pragma once
#include <cstdint>

// Calendar time in whole seconds, as the C library's time() gives it.
int32_t clock_seconds();

// Blocks the calling thread for the given milliseconds (0 yields at most).
void sleep_ms(int32_t milliseconds);
