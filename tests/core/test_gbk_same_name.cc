// Names compared as the profile API compares them: ASCII letters in any case, a double-byte
// character exactly, even where its second byte looks like a letter.
#include <gtest/gtest.h>

#include <cstring>

#include "core/gbk_text.h"
#include "tests/support/case_name.h"

namespace {

struct same_name_case {
  const char* name;
  const char* left;
  const char* right;
  bool same;
};

class GbkSameName : public testing::TestWithParam<same_name_case> {};

TEST_P(GbkSameName, FoldsOnlyAsciiLettersThatStandAlone) {
  const same_name_case& c = GetParam();
  ASSERT_EQ(strlen(c.left), strlen(c.right)) << c.name;
  EXPECT_EQ(gbk_same_ignoring_ascii_case(c.left, c.right, strlen(c.left)), c.same) << c.name;
  EXPECT_EQ(gbk_same_ignoring_ascii_case(c.right, c.left, strlen(c.left)), c.same) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, GbkSameName,
    testing::Values(same_name_case{"equal", "Sources", "Sources", true},
                    same_name_case{"letters in other cases", "SoUrCeS", "sOuRcEs", true},
                    same_name_case{"other letters", "Source1", "Source2", false},
                    same_name_case{"second bytes D and d", "\x88\x44", "\x88\x64", false},
                    same_name_case{"same double-byte name", "a\x81\x5C" "B", "A\x81\x5C" "b", true},
                    same_name_case{"non-letters do not fold", "[@]", "[`]", false},
                    same_name_case{"empty", "", "", true}),
    case_name<same_name_case>);

}  // namespace
