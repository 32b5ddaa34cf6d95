// One line of a job's log: local date and time, a blank, the text, CRLF. Portable text rules,
// so that they are tested on every build.
#pragma once
#include <cstddef>

struct log_time {
  int year, month, day, hour, minute, second;
};

// Holds any path the worker composes and the longest words around it.
constexpr size_t log_line_size = 2048;

// "YYYY-MM-DD HH:MM:SS text\r\n" into line (size bytes with its NUL); returns its length. A
// control character (a Linux-side name may hold one) becomes '?', so that an entry stays one
// line; blanks before the line end are dropped; a text too long is cut at a character.
size_t format_log_line(const log_time& time, const char* text, char* line, size_t size);

// Drops the blanks at the end of text (many dialog texts end in some).
void trim_trailing_blanks(char* text);
