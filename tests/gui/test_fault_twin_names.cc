// Names the destination's file system may take for one another: Chinese names whose bytes
// differ only as 'D' and 'd' do are two files; letters outside ASCII are twins when Windows
// folds them, and the later twin never replaces the copy of the earlier.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
class TwinNames : public UnixSideFixture {
 protected:
  testing::AssertionResult tick_overwrite() {
    driver::click(dialog, IDC_OVERWRITE_ALL);
    if (driver::is_checked(dialog, IDC_OVERWRITE_ALL)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the overwrite box did not take the tick";
  }
};

// "圖" is 88 44 and "坉" 88 64; "僅" 83 48 and "僪" 83 68. A byte fold of the second bytes
// would take each pair for one name and skip the second with a false exists notice.
TEST_F(TwinNames, GbkNamesApartOnlyInASecondByteAreBothCopied) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\圖.txt", 3000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\坉.txt", 4000));
  folder("source\\僅");
  folder("source\\僪");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\僅\\a.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\僪\\a.bin", 6000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(tick_overwrite());

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices.front();
  EXPECT_EQ(file_tree::files_below(target),
            (std::vector<std::string>{"僅\\a.bin", "僪\\a.bin", "圖.txt", "坉.txt"}));
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), TEXT_ALL_DONE);
  check_invariant();
}

// Made on the Unix side (UTF-8 names): Wine lists them in GBK and folds them as one name each
// pair. The upper-case twin sorts first and is copied; the lower-case one, with Overwrite
// ticked, would replace that copy, so it is kept out with the exists notice.
TEST_F(TwinNames, TwinsOutsideAsciiKeepTheFirstCopy) {
  const std::string source = folder("source");
  ASSERT_TRUE(on_unix_side("cd " + unix_word(source) +
                           "\nprintf 1 > '\xEF\xBC\xA1.txt'\nprintf 2 > '\xEF\xBD\x81.txt'"
                           "\nprintf 3 > '\xCE\x94.txt'\nprintf 4 > '\xCE\xB4.txt'"
                           "\nprintf 5 > '\xD0\xAF.txt'\nprintf 6 > '\xD1\x8F.txt'"));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(tick_overwrite());

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, (std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\ａ.txt"),
                                               notice(TEXT_WRITE_ERROR, target + "\\δ.txt"),
                                               notice(TEXT_WRITE_ERROR, target + "\\я.txt")}));
  EXPECT_EQ(file_tree::files_below(target),
            (std::vector<std::string>{"Ａ.txt", "Δ.txt", "Я.txt"}));
  std::string copy;
  EXPECT_TRUE(file_tree::read_file(target + "\\Δ.txt", copy));
  EXPECT_EQ(copy, "3");
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), counts_line(3, 3, 0));
  check_invariant();
}

}  // namespace
