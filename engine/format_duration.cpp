// Seconds as text for the status lines.
#include "engine/format_duration.h"

#include <cstdio>

#include "res/texts.h"

char* format_duration(int32_t seconds, char (&text)[duration_text_size]) {
  int32_t hours = seconds / 3600;
  int32_t minutes = seconds % 3600 / 60;
  int32_t secs = seconds % 60;
  if (hours != 0)
    snprintf(text, sizeof text, TEXT_HOURS_MINUTES_SECONDS, hours, minutes, secs);
  else
    snprintf(text, sizeof text, TEXT_MINUTES_SECONDS, minutes, secs);
  return text;
}
