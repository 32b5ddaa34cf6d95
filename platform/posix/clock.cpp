// POSIX backend of the clock.
#include "platform/clock.h"

#include <ctime>

int32_t clock_seconds() { return static_cast<int32_t>(time(nullptr)); }

void sleep_ms(int32_t milliseconds) {
  timespec pause{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&pause, &pause) != 0) {
  }
}
