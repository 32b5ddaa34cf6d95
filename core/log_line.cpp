// One line of a job's log.
#include "core/log_line.h"

#include <cstdio>
#include <cstring>

#include "core/gbk_text.h"

namespace {
bool is_control(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool is_second_byte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// Bytes of the character at text as the log writes them: stricter than the paths' rule, a pair
// only when its second byte is one, so that a stray first byte cannot swallow the line's end
// or the '?' written after it.
size_t character_at(const char* text) {
  const size_t length = gbk_character_length(text);
  return length == 2 && is_second_byte(static_cast<unsigned char>(text[1])) ? 2 : 1;
}
}  // namespace

void trim_trailing_blanks(char* text) {
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') text[--length] = '\0';
}

size_t format_log_line(const log_time& time, const char* text, char* line, size_t size) {
  constexpr size_t line_end_size = 3;  // CR, LF and the NUL
  if (size < line_end_size) return 0;
  int stamp = snprintf(line, size, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month,
                       time.day, time.hour, time.minute, time.second);
  size_t length = stamp < 0 ? 0 : static_cast<size_t>(stamp);
  if (length > size - line_end_size) length = size - line_end_size;
  while (*text != '\0') {
    const size_t character = character_at(text);
    if (length + character > size - line_end_size) break;
    const auto byte = static_cast<unsigned char>(*text);
    if (character == 1 && (is_control(byte) || gbk_is_lead_byte(byte))) {
      line[length++] = '?';
    } else {
      memcpy(line + length, text, character);
      length += character;
    }
    text += character;
  }
  line[length] = '\0';
  trim_trailing_blanks(line);
  length = strlen(line);
  memcpy(line + length, "\r\n", line_end_size);
  return length + 2;
}
