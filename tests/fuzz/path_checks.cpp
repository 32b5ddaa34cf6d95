// The fuzzers' path oracle; see path_checks.h.
#include "tests/fuzz/path_checks.h"

#include <cstdio>
#include <cstdlib>

namespace {
// A lead byte pairs with whatever byte follows it; at the very end it stands alone.
size_t character_size(const std::string& text, size_t offset) {
  auto byte = static_cast<unsigned char>(text[offset]);
  return byte >= 0x81 && byte <= 0xFE && offset + 1 < text.size() ? 2 : 1;
}

template <typename Visit>
void for_each_character(const std::string& text, Visit visit) {
  for (size_t offset = 0; offset < text.size(); offset += character_size(text, offset))
    visit(offset, character_size(text, offset));
}
}  // namespace

bool starts_character(const std::string& text, size_t offset) {
  bool found = offset == text.size();
  for_each_character(text, [&](size_t start, size_t) { found = found || start == offset; });
  return found;
}

bool ends_with_backslash_character(const std::string& text) {
  bool last_is_backslash = false;
  for_each_character(text, [&](size_t start, size_t size) {
    last_is_backslash = size == 1 && text[start] == '\\';
  });
  return last_is_backslash;
}

std::string place_below(const std::string& root) {
  return ends_with_backslash_character(root) ? root : root + "\\";
}

bool lies_below(const std::string& path, const std::string& root) {
  const std::string place = place_below(root);
  return ends_with_backslash_character(place) && path.compare(0, place.size(), place) == 0 &&
         starts_character(path, place.size());
}

bool is_root_or_above(const std::string& level, const std::string& root) {
  const std::string place = place_below(root);
  return ends_with_backslash_character(level) && place.compare(0, level.size(), level) == 0 &&
         starts_character(place, level.size());
}

std::vector<std::string> elements_of(const std::string& text) {
  std::vector<std::string> elements(1);
  for_each_character(text, [&](size_t start, size_t size) {
    if (size == 1 && text[start] == '\\')
      elements.emplace_back();
    else
      elements.back().append(text, start, size);
  });
  return elements;
}

std::vector<std::string> named_elements_of(const std::string& text) {
  std::vector<std::string> named;
  for (std::string& element : elements_of(text))
    if (!element.empty()) named.push_back(std::move(element));
  return named;
}

bool climbs_out(const std::vector<std::string>& elements) {
  int depth = 0;
  for (const std::string& element : elements) {
    if (element == "..")
      --depth;
    else if (!element.empty() && element != ".")
      ++depth;
    if (depth < 0) return true;
  }
  return false;
}

std::string folder_of(const std::string& path) {
  size_t end = 0;
  for_each_character(path, [&](size_t start, size_t size) {
    if (size == 1 && path[start] == '\\') end = start + 1;
  });
  return path.substr(0, end);
}

std::string canonical(const std::string& path) {
  std::string joined;
  for (const std::string& element : named_elements_of(path))
    joined += (joined.empty() ? "" : "\\") + element;
  return joined;
}

std::string printable(const std::string& text) {
  std::string shown = "\"";
  for (unsigned char byte : text) {
    char piece[8];
    if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"')
      snprintf(piece, sizeof piece, "%c", byte);
    else if (byte == '\\')
      snprintf(piece, sizeof piece, "\\\\");
    else
      snprintf(piece, sizeof piece, "\\x%02X", byte);
    shown += piece;
  }
  return shown + "\"";
}

void fuzz_failure(const std::string& what) {
  fprintf(stderr, "\n== fuzz check failed: %s\n", what.c_str());
  abort();
}
