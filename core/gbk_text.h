// Path helpers that read GBK text by characters, not bytes: a double-byte character's second
// byte can be 0x5C, the backslash, and must never be taken for a separator.
#pragma once
#include <cstddef>

// First byte of a double-byte GBK character (its second byte follows, whatever its value).
inline bool gbk_is_lead_byte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The one byte fold: 'A' to 'Z' to lower case, every other byte as it is. The sort's order
// walks every byte through it; comparisons of names walk characters and fold only the
// single-byte ones, as a second byte may look like a letter.
inline unsigned char ascii_folded(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// The last backslash that is a character of its own, or null.
const char* gbk_last_backslash(const char* path);

// True when the last character (not the last byte) is a backslash.
bool gbk_ends_with_backslash(const char* path);

// True when text ends in a lead byte with no second byte: a backslash appended to it would
// become that character's second byte instead of a separator.
bool gbk_ends_with_cut_character(const char* text);

// Length of the drive at the start of path: 2 for "X:" (X not a backslash), 0 otherwise (a
// network path has none).
size_t drive_length(const char* path);

// The first backslash at or after text (which must start on a character), or null.
const char* gbk_next_backslash(const char* text);

// Bytes taken by the character that starts at text: 2 for a double-byte character, else 1.
size_t gbk_character_length(const char* text);

// True when the first `length` bytes of both texts are the same but for the case of ASCII
// letters; a double-byte character (whose second byte may look like a letter) must match as it
// stands. For names compared as the profile API compares them, not as Windows compares files.
bool gbk_same_ignoring_ascii_case(const char* left, const char* right, size_t length);
