// GBK-aware path scanning: walk the text character by character, stepping over the second
// byte of each double-byte character.
#include "core/gbk_text.h"

// A lead byte at the very end counts alone, so a cut-off character never swallows the NUL.
size_t gbk_character_length(const char* text) {
  if (gbk_is_lead_byte(static_cast<unsigned char>(text[0])) && text[1] != '\0') return 2;
  return 1;
}

const char* gbk_last_backslash(const char* path) {
  const char* last = nullptr;
  for (const char* c = path; *c; c += gbk_character_length(c))
    if (*c == '\\') last = c;
  return last;
}

namespace {
// Where the last character starts, or null for an empty text.
const char* gbk_last_character(const char* text) {
  const char* last = nullptr;
  for (const char* c = text; *c; c += gbk_character_length(c)) last = c;
  return last;
}
}  // namespace

bool gbk_ends_with_backslash(const char* path) {
  const char* last = gbk_last_character(path);
  return last && *last == '\\';
}

bool gbk_ends_with_cut_character(const char* text) {
  const char* last = gbk_last_character(text);
  return last && last[1] == '\0' && gbk_is_lead_byte(static_cast<unsigned char>(*last));
}

// A backslash is never a drive letter: in "\:x" the backslash is the folder and ":x" a name.
size_t drive_length(const char* path) {
  return path[0] != '\0' && path[0] != '\\' && path[1] == ':' ? 2 : 0;
}

const char* gbk_next_backslash(const char* text) {
  for (const char* c = text; *c; c += gbk_character_length(c))
    if (*c == '\\') return c;
  return nullptr;
}

bool gbk_same_ignoring_ascii_case(const char* left, const char* right, size_t length) {
  auto lower = [](char c) { return ascii_folded(static_cast<unsigned char>(c)); };
  for (size_t i = 0; i < length; ++i) {
    if (gbk_is_lead_byte(static_cast<unsigned char>(left[i])) && i + 1 < length) {
      if (left[i] != right[i] || left[i + 1] != right[i + 1]) return false;
      ++i;
    } else if (lower(left[i]) != lower(right[i])) {
      return false;
    }
  }
  return true;
}
