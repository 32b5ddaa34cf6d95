// The fold table of code page 936 and what is built on it.
#include "core/gbk_case_fold.h"

#include "core/gbk_text.h"

namespace {
// Runs of upper-case letters and the distance to their lower-case partners, all within the
// code page (printed by scripts/lib/gbk_case_ranges.py from the Unicode simple case mapping).
// Letters whose partner lies outside it (Ⅺ, Ⅻ, the pinyin vowels) can meet no twin in a name.
struct case_range {
  uint16_t first;
  uint16_t last;
  int16_t distance;
};
constexpr case_range case_ranges[] = {
    {0xA2F1, 0xA2FA, -0x50},  // Ⅰ-Ⅹ to ⅰ-ⅹ
    {0xA3C1, 0xA3DA, 0x20},   // Ａ-Ｚ to ａ-ｚ
    {0xA6A1, 0xA6B8, 0x20},   // Α-Ω to α-ω
    {0xA7A1, 0xA7C1, 0x30},   // А-Я (Ё among them) to а-я
};

uint16_t folded_code(uint16_t code) {
  if (code < 0x80) return ascii_folded(static_cast<unsigned char>(code));
  for (const case_range& range : case_ranges)
    if (code >= range.first && code <= range.last)
      return static_cast<uint16_t>(code + range.distance);
  return code;
}
}  // namespace

uint16_t gbk_folded_character(const char* text, size_t* length) {
  auto bytes = reinterpret_cast<const unsigned char*>(text);
  *length = gbk_character_length(text);
  uint16_t code = *length == 2 ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1]) : bytes[0];
  return folded_code(code);
}

bool gbk_same_ignoring_case(const char* left, const char* right) {
  for (;;) {
    size_t left_length, right_length;
    uint16_t a = gbk_folded_character(left, &left_length);
    uint16_t b = gbk_folded_character(right, &right_length);
    if (a != b) return false;
    if (a == 0) return true;
    left += left_length;
    right += right_length;
  }
}

uint32_t gbk_folded_hash(const char* text) {
  uint32_t hash = 2166136261u;  // FNV-1a over the folded codes
  for (size_t length; *text; text += length) {
    uint16_t code = gbk_folded_character(text, &length);
    hash = (hash ^ (code >> 8)) * 16777619u;
    hash = (hash ^ (code & 0xFF)) * 16777619u;
  }
  return hash;
}
