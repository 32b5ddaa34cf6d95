// The fuzzers' own reading of GBK paths, written apart from core/gbk_text so that a fault
// there cannot hide from the checks built on it.
#pragma once
#include <string>
#include <vector>

// True when a character starts at offset (walking from the start; offset == size counts).
bool starts_character(const std::string& text, size_t offset);

bool ends_with_backslash_character(const std::string& text);

// Where everything below root begins: root, then a backslash unless root ends with one.
std::string place_below(const std::string& root);

// path begins with place_below(root) on a character boundary, and that text really ends in a
// backslash character (a root ending in a cut-off character has no place below it).
bool lies_below(const std::string& path, const std::string& root);

// level is root itself or one of the folders above it (levels end with a backslash).
bool is_root_or_above(const std::string& level, const std::string& root);

// The texts between backslash characters, empty ones included.
std::vector<std::string> elements_of(const std::string& text);
// Without the empty elements, which a path's meaning does not depend on.
std::vector<std::string> named_elements_of(const std::string& text);

// A ".." element takes the path above where the elements began.
bool climbs_out(const std::vector<std::string>& elements);

// Up to and including the last backslash character; "" when there is none.
std::string folder_of(const std::string& path);

// The folder a path names, whatever its empty elements: named elements joined by backslashes.
std::string canonical(const std::string& path);

// The text with bytes outside printable ASCII as \xNN, for failure messages.
std::string printable(const std::string& text);

// Prints the failure with its case and aborts, so that libFuzzer keeps the input.
[[noreturn]] void fuzz_failure(const std::string& what);

#define FUZZ_CHECK(condition, what)                                          \
  do {                                                                       \
    if (!(condition)) fuzz_failure(std::string(#condition) + ": " + (what)); \
  } while (0)
