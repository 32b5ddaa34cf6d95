// The command line's arguments.
#include "core/command_line.h"

#include <cstring>

#include "core/gbk_text.h"

namespace {
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The argument being built: once a character did not fit, no later one is taken either.
struct argument_text {
  char* bytes;
  size_t size;
  size_t length = 0;
  bool full = false;

  void append(const char* text, size_t count) {
    if (full || length + count >= size) {
      full = true;
      return;
    }
    memcpy(bytes + length, text, count);
    length += count;
  }
  void append_repeated(char c, size_t count) {
    for (size_t i = 0; i < count; ++i) append(&c, 1);
  }
};

// The program's name follows its own rule: quotes group blanks into it, backslashes are plain.
// (No GBK second byte is a quote or a blank, so bytes do here.)
const char* skip_program_name(const char* text) {
  bool quoted = false;
  for (; *text != '\0' && (quoted || !is_blank(*text)); ++text)
    if (*text == '"') quoted = !quoted;
  return text;
}

// The backslashes at text and what they stand for; returns the text after them.
const char* read_backslashes(const char* text, argument_text& argument) {
  size_t count = 0;
  while (text[count] == '\\') ++count;
  if (text[count] != '"') {
    argument.append_repeated('\\', count);
    return text + count;
  }
  argument.append_repeated('\\', count / 2);
  if (count % 2 == 0) return text + count;  // the quote groups, as any other
  argument.append("\"", 1);
  return text + count + 1;
}
}  // namespace

const char* arguments_of(const char* command_line) { return skip_program_name(command_line); }

const char* next_argument(const char* text, char* argument, size_t size, bool* cut) {
  while (is_blank(*text)) ++text;
  if (*text == '\0' || size == 0) return nullptr;

  argument_text built{argument, size};
  bool quoted = false;
  while (*text != '\0' && (quoted || !is_blank(*text))) {
    if (*text == '\\') {
      text = read_backslashes(text, built);
    } else if (*text == '"') {
      quoted = !quoted;
      ++text;
    } else if (gbk_is_lead_byte(static_cast<unsigned char>(*text))) {
      if (text[1] == '\0') {  // a character cut off by the line's end
        ++text;
        break;
      }
      built.append(text, 2);  // its second byte may be 0x5C: never read as a backslash
      text += 2;
    } else {
      built.append(text++, 1);
    }
  }
  argument[built.length] = '\0';
  if (cut) *cut = built.full;
  return text;
}

bool first_argument(const char* command_line, char* argument, size_t size) {
  return next_argument(arguments_of(command_line), argument, size, nullptr) != nullptr;
}
