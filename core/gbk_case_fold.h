// Letter case in GBK names, folded as a case-insensitive file system folds it: the ASCII
// letters and the double-byte letters of code page 936 that have a case (full-width Latin,
// Greek, Cyrillic, Roman numerals). A second byte is part of its character, never a letter.
#pragma once
#include <cstddef>
#include <cstdint>

// The character at text in folded form (its lower-case partner, or itself) as one GBK code:
// a single byte, or lead byte * 256 + second byte. *length gets the bytes it took (1 or 2).
uint16_t gbk_folded_character(const char* text, size_t* length);

// True when the two texts are the same once both are folded.
bool gbk_same_ignoring_case(const char* left, const char* right);

// A hash of the folded text: equal for any two texts gbk_same_ignoring_case holds equal.
uint32_t gbk_folded_hash(const char* text);
