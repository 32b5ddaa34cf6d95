// Names a Linux disk can hold and an ANSI Windows program cannot make, each made on the Unix
// side: a backslash inside a file name, folders named with '*', '?' or '|' or with characters
// outside the code page, and two files whose names differ only in case. None leads the job
// outside the destination, none is lost without a notice, and the end line counts each.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class ForeignNames : public UnixSideFixture {
 protected:
  std::string end_line() { return driver::control_text(dialog, IDC_ESTIMATE_LINE); }

  testing::AssertionResult tick_overwrite() {
    driver::click(dialog, IDC_OVERWRITE_ALL);
    if (driver::is_checked(dialog, IDC_OVERWRITE_ALL)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the overwrite box did not take the tick";
  }
};

std::vector<std::string> sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The listing hands out "..\bait" as one name; joined to its folder it would name the file
// "bait" beside the source. The destination sits one level deeper than the source, so that a
// copy made through such a name would land in a new place outside it, which the invariant
// would find; Overwrite is ticked so that nothing in the way would stop it.
TEST_F(ForeignNames, ABackslashInsideANameIsRefusedNeverFollowed) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\plain.bin", 4000));
  ASSERT_TRUE(file_tree::write_file(root + "\\bait", "outside both source and destination"));
  ASSERT_TRUE(on_unix_side("printf 'from a Linux disk' > " + unix_word(source) + "/" +
                           host_shell_word("..\\bait")));
  folder("out");
  const std::string target = folder("out\\dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(tick_overwrite());

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, source + "\\..\\bait")});
  EXPECT_EQ(file_tree::files_below(target), std::vector<std::string>{"plain.bin"});
  EXPECT_EQ(end_line(), counts_line(1, 0, 1));
  check_invariant();
}

// Wine lists these folders under their names ("a*b"; Hangul as "??", one '?' for each character
// GBK lacks), but a path through such a name holds a wildcard or a character no path may hold:
// the folder cannot be listed. Each is one error, named as the listing shows it.
TEST_F(ForeignNames, FoldersWhoseNamesNoPathCanHoldAreOneErrorEach) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\z.bin", 5000));
  const std::string hangul_utf8 = "\xED\x95\x9C\xEA\xB5\xAD";  // "Korea"
  ASSERT_TRUE(on_unix_side("cd " + unix_word(source) +
                           "\nfor name in 'a*b' 'q?x' 'p|q' '" + hangul_utf8 + "'; do\n"
                           "  mkdir \"$name\"\n"
                           "  printf 'inside' > \"$name/inside.bin\"\n"
                           "done"));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(sorted(notices), sorted({notice(TEXT_READ_ERROR, source + "\\a*b"),
                                     notice(TEXT_READ_ERROR, source + "\\q?x"),
                                     notice(TEXT_READ_ERROR, source + "\\p|q"),
                                     notice(TEXT_READ_ERROR, source + "\\\?\?")}));
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "z.bin"}));
  EXPECT_EQ(end_line(), counts_line(2, 0, 4));
  check_invariant();
}

// On Windows both names lead to one file. "Report.txt" sorts first and is copied; with
// Overwrite ticked "report.txt" would replace that copy, so it is skipped as if it had been
// there before the job.
TEST_F(ForeignNames, CaseTwinsKeepTheFirstCopyAndSkipTheSecond) {
  const std::string source = folder("source");
  ASSERT_TRUE(on_unix_side("cd " + unix_word(source) +
                           "\nprintf first > Report.txt\nprintf second > report.txt"));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(tick_overwrite());

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\report.txt")});
  EXPECT_EQ(file_tree::files_below(target), std::vector<std::string>{"Report.txt"});
  std::string copy;
  EXPECT_TRUE(file_tree::read_file(target + "\\Report.txt", copy));
  EXPECT_EQ(copy, "first");
  EXPECT_EQ(end_line(), counts_line(1, 1, 0));
  check_invariant();
}

}  // namespace
