// Twins as the destination's file system sees them: one table over the host's comparison (the
// portable fold natively, Windows' own under Wine) and over the hash the copy loop files the
// copied names under, which must join every pair the host joins.
#include <gtest/gtest.h>

#include "core/gbk_case_fold.h"
#include "platform/names.h"
#include "tests/support/case_name.h"

namespace {
struct names_case {
  const char* name;
  const char* left;
  const char* right;
  bool same;
};

class SamePathIgnoringCase : public testing::TestWithParam<names_case> {};

TEST_P(SamePathIgnoringCase, JoinsOnlyNamesThatDifferInLetterCase) {
  const names_case& c = GetParam();
  EXPECT_EQ(same_path_ignoring_case(c.left, c.right), c.same) << c.name;
  EXPECT_EQ(same_path_ignoring_case(c.right, c.left), c.same) << c.name;
  EXPECT_EQ(gbk_same_ignoring_case(c.left, c.right), c.same) << c.name;
  if (c.same) {
    EXPECT_EQ(gbk_folded_hash(c.left), gbk_folded_hash(c.right)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SamePathIgnoringCase,
    testing::Values(
        names_case{"ascii letters", "D:\\Src\\Report.TXT", "D:\\src\\report.txt", true},
        names_case{"ascii digits and signs", "D:\\a-1", "D:\\a_1", false},
        names_case{"gbk second bytes D and d", "D:\\圖.txt", "D:\\坉.txt", false},
        names_case{"gbk folders with second bytes", "D:\\僅\\a", "D:\\僪\\a", false},
        names_case{"gbk second byte 5C", "D:\\乗\\x", "D:\\乗\\X", true},
        names_case{"greek", "D:\\Δ.txt", "D:\\δ.txt", true},
        names_case{"greek letters apart", "D:\\Δ.txt", "D:\\Ω.txt", false},
        names_case{"cyrillic", "D:\\Я.txt", "D:\\я.txt", true},
        names_case{"cyrillic io", "D:\\Ёлка", "D:\\ёлка", true},
        names_case{"full width latin", "D:\\Ａ.txt", "D:\\ａ.txt", true},
        names_case{"full width is not ascii", "D:\\Ａ.txt", "D:\\A.txt", false},
        names_case{"roman numerals", "D:\\第Ⅳ卷", "D:\\第ⅳ卷", true},
        names_case{"chinese apart", "D:\\张三.doc", "D:\\李四.doc", false},
        names_case{"lengths differ", "D:\\ab", "D:\\abc", false}),
    case_name<names_case>);

// Every case pair of the portable table, as the host compares it: the hash's fold must join
// what the host joins, so a pair Windows keeps apart would only cost a needless comparison,
// but a pair the host joins and the table misses is a twin the copy loop would not find.
TEST(SamePathIgnoringCase, HostJoinsEveryPairOfThePortableTable) {
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int second = 0x40; second <= 0xFE; ++second) {
      const char upper[] = {static_cast<char>(lead), static_cast<char>(second), '\0'};
      size_t length;
      const uint16_t folded = gbk_folded_character(upper, &length);
      if (folded == (lead << 8 | second)) continue;
      const char lower[] = {static_cast<char>(folded >> 8), static_cast<char>(folded), '\0'};
      EXPECT_TRUE(same_path_ignoring_case(upper, lower)) << std::hex << lead << second;
      ++pairs;
    }
  }
  EXPECT_EQ(pairs, 93) << "Ⅰ-Ⅹ, Ａ-Ｚ, Α-Ω, А-Я and Ё";
}
}  // namespace
