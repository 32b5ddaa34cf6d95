// A finished temporary takes its final name over a file standing there only when told to, and
// when it may not, says that the name is taken and stays whole under its temporary name, so
// that its caller can decide late and move it by name.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "tests/support/case_name.h"
#include "tests/support/settings_scratch.h"

namespace {
struct placing_case {
  const char* name;
  const char* standing;  // null: nothing stands under the final name
  bool replace;
  bool placed;
};

class FilePlacing : public SettingsScratch, public testing::WithParamInterface<placing_case> {};

TEST_P(FilePlacing, TakesTheNameOnlyWhereItMayAndSaysWhenItIsTaken) {
  const placing_case& c = GetParam();
  const std::string temp = path_of("~fx00"), final_name = path_of("final.bin");
  if (c.standing) write_raw(final_name, c.standing);
  bool taken = true;
  FILE* stream = create_new_file_stream(temp.c_str(), &taken);
  ASSERT_NE(stream, nullptr);
  ASSERT_GE(fputs("copy", stream), 0);
  ASSERT_EQ(fflush(stream), 0);

  taken = true;
  EXPECT_EQ(close_into_place(stream, temp.c_str(), final_name.c_str(), c.replace, &taken),
            c.placed);
  EXPECT_EQ(taken, !c.placed) << "the name is refused only because something stands there";
  EXPECT_EQ(read_raw(final_name), c.placed ? "copy" : c.standing);
  if (c.placed) return;
  EXPECT_EQ(read_raw(temp), "copy");
  EXPECT_FALSE(move_into_place(temp.c_str(), final_name.c_str(), false, &taken));
  EXPECT_TRUE(taken);
  ASSERT_TRUE(move_into_place(temp.c_str(), final_name.c_str(), true, &taken));
  EXPECT_EQ(read_raw(final_name), "copy");
  EXPECT_EQ(read_raw(temp), "(missing)");
}

INSTANTIATE_TEST_SUITE_P(
    FinalNames, FilePlacing,
    testing::Values(placing_case{"a new name", nullptr, false, true},
                    placing_case{"a name taken, not to be replaced", "old", false, false},
                    placing_case{"a name taken, to be replaced", "old", true, true}),
    case_name<placing_case>);
}  // namespace
