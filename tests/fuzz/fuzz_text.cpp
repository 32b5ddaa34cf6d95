// Path texts for the fuzzers; see fuzz_text.h.
#include "tests/fuzz/fuzz_text.h"

#include <algorithm>

#include "tests/fuzz/fake_tree.h"
#include "tests/fuzz/path_checks.h"

namespace {
constexpr size_t longest_source = 255;
constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-~";

enum piece {
  letter,
  backslash,
  colon,
  dot,
  blank,
  trail_5c,
  double_byte,
  temp_like,
  run,
  cut_off,
  any_byte,
  piece_count
};
constexpr int name_pieces = run + 1;  // a name takes whole characters and no backslash

char lead_byte(uint8_t value) { return static_cast<char>(0x81 + value % 0x7E); }

std::string take_piece(FuzzedDataProvider& input, int pieces, bool in_name) {
  const int kind = input.ConsumeIntegral<uint8_t>() % pieces;
  const uint8_t value = input.ConsumeIntegral<uint8_t>();
  switch (kind) {
    case letter: return std::string(1, letters[value % (sizeof letters - 1)]);
    case backslash: return in_name ? "" : "\\";
    case colon: return ":";
    case dot: return ".";
    case blank: return " ";
    case trail_5c: return std::string{lead_byte(value), '\\'};
    case double_byte: {
      int trail = 0x40 + input.ConsumeIntegral<uint8_t>() % 0xBE;
      if (trail >= 0x7F) ++trail;  // 0x40-0x7E and 0x80-0xFE
      return std::string{lead_byte(value), static_cast<char>(trail)};
    }
    case temp_like: return std::string("~000") + "0123456789aAbB"[value % 14];
    case run: return std::string(1 + value % 80, 'x');
    case cut_off: return std::string(1, lead_byte(value));
    default: return std::string(1, static_cast<char>(1 + value % 255));
  }
}

std::string take_text(FuzzedDataProvider& input, size_t max_bytes, int pieces, bool in_name) {
  std::string text;
  const int count = input.ConsumeIntegralInRange<int>(1, 24);
  for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    std::string piece = take_piece(input, pieces, in_name);
    if (text.size() + piece.size() > max_bytes)
      piece.resize(piece[0] == 'x' ? max_bytes - text.size() : 0);
    text += piece;
  }
  return text;
}

// Drops a lead byte left alone at the end: a listing never gives a cut-off character.
std::string whole_characters(std::string name) {
  if (!name.empty() && !starts_character(name + "a", name.size())) name.pop_back();
  return name;
}
}  // namespace

std::string take_root_text(FuzzedDataProvider& input, size_t max_bytes) {
  std::string text = take_text(input, max_bytes, piece_count, false);
  return text.empty() ? "r" : text;
}

std::string take_name(FuzzedDataProvider& input, size_t max_bytes) {
  std::string name = whole_characters(take_text(input, max_bytes, name_pieces, true));
  return name.empty() || name == "." || name == ".." ? "n" : name;
}

std::vector<std::string> names_in(const std::string& folders) {
  std::vector<std::string> names;
  for (const std::string& element : elements_of(folders)) {
    std::string name = whole_characters(element);
    if (!name.empty() && name != "." && name != "..") names.push_back(name);
  }
  return names;
}

std::vector<std::string> take_source_roots(FuzzedDataProvider& input) {
  std::vector<std::string> roots;
  const int count = input.ConsumeIntegralInRange<int>(1, 4);
  for (int i = 0; i < count; ++i) {
    const int kind = roots.empty() ? 0 : input.ConsumeIntegralInRange<int>(0, 5);
    const std::string earlier =
        roots.empty() ? "" : roots[input.ConsumeIntegralInRange<size_t>(0, roots.size() - 1)];
    std::string root;
    switch (kind) {
      case 2: root = earlier; break;
      case 3: root = earlier + "\\"; break;
      case 4: root = earlier + take_root_text(input, 16); break;
      case 5: {
        const std::string name = take_name(input, 40);
        fake_tree_add_folder(place_below(earlier), name);
        root = place_below(earlier) + name;
        break;
      }
      default: root = take_root_text(input, longest_source);
    }
    root.resize(std::min(root.size(), longest_source));
    roots.push_back(root);
  }
  return roots;
}
