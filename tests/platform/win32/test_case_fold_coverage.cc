// The other half of the twin rule's bargain, on the host that can tell: every double-byte
// character of code page 936 that the host's comparison joins to its upper-case form is joined
// by the portable fold too, so the hash of copied names never files two twins apart.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "core/gbk_case_fold.h"
#include "platform/names.h"

namespace {
// The character's upper-case form as GBK bytes, or false when it has none in the code page.
bool upper_in_code_page(const char (&character)[3], char (&upper)[3]) {
  WCHAR wide[2];
  if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, character, 2, wide, 2) != 1) return false;
  WCHAR upper_wide[2];
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide, 1, upper_wide, 2, nullptr,
                    nullptr, 0) != 1 || upper_wide[0] == wide[0])
    return false;
  BOOL lost = FALSE;
  const int length = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, upper_wide, 1, upper, 2,
                                         nullptr, &lost);
  upper[length > 0 ? length : 0] = '\0';
  return length == 2 && !lost;
}

TEST(CaseFoldCoverage, EveryPairTheHostJoinsIsJoinedByThePortableFold) {
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int second = 0x40; second <= 0xFE; ++second) {
      const char character[3] = {static_cast<char>(lead), static_cast<char>(second), '\0'};
      char upper[3];
      if (!upper_in_code_page(character, upper)) continue;
      if (!same_path_ignoring_case(character, upper)) continue;
      ++pairs;
      EXPECT_TRUE(gbk_same_ignoring_case(character, upper))
          << std::hex << lead << second << " is joined to " << (upper[0] & 0xFF)
          << (upper[1] & 0xFF) << " by the host only";
    }
  }
  EXPECT_GT(pairs, 0) << "the host joined no pair at all";
  RecordProperty("pairs", pairs);
}
}  // namespace
