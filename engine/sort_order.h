// The order of the file list: bytes compared with only 'A' to 'Z' folded to lower case. Lead
// bytes of double-byte characters never fold; a second byte in that range folds like any
// other byte, which is fine for an order and wrong for deciding that two names are the same
// (platform/names.h decides that).
#pragma once
#include "core/gbk_text.h"

// Negative, zero or positive as left sorts before, with or after right.
inline int compare_in_sort_order(const char* left, const char* right) {
  auto folded = ascii_folded;
  auto a = reinterpret_cast<const unsigned char*>(left);
  auto b = reinterpret_cast<const unsigned char*>(right);
  for (;; ++a, ++b) {
    unsigned char x = folded(*a), y = folded(*b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}
