// A destination that cannot take a file: a folder stands where the file should go, or a file
// stands where one of its folders should go. The file is skipped with the write-error notice
// (none when notices are off), the others are copied, and nothing is left half-done.
#include <gtest/gtest.h>

#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

struct blocked_case {
  const char* name;
  bool folder_where_file_goes;  // otherwise a file where a folder goes
  bool notices;
};

class BlockedDestination : public FaultFixture,
                           public testing::WithParamInterface<blocked_case> {};

TEST_P(BlockedDestination, SkipsTheFileSaysSoAndCopiesTheRest) {
  const blocked_case& c = GetParam();
  const std::string source = folder("source");
  ASSERT_TRUE(file_tree::make_folder(source + "\\sub"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\sub\\b.bin", 7000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\z.bin", 9000));
  const std::string target = folder("dest");
  std::string blocked_path;
  if (c.folder_where_file_goes) {
    blocked_path = target + "\\a.bin";
    ASSERT_TRUE(file_tree::make_folder(blocked_path));
  } else {
    ASSERT_TRUE(file_tree::write_file(target + "\\sub", "a file, not a folder"));
    blocked_path = target + "\\sub\\b.bin";
  }
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(c.notices || tick_dont_notify());

  ASSERT_TRUE(run_job_to_end());

  if (c.notices) {
    EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, blocked_path)});
  } else {
    EXPECT_TRUE(notices.empty()) << notices[0];
  }
  EXPECT_TRUE(file_tree::exists(target + "\\z.bin")) << "the file after it was not copied";
  // The blocking entry itself is not the job's: it stays as it was.
  std::string blocker;
  if (c.folder_where_file_goes) {
    EXPECT_TRUE(file_tree::files_below(blocked_path).empty());
  } else {
    EXPECT_TRUE(file_tree::read_file(target + "\\sub", blocker) &&
                blocker == "a file, not a folder");
  }
  placed.push_back("sub");  // the blocker, checked above
  check_invariant();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockedDestination,
    testing::Values(blocked_case{"FolderWhereTheFileGoes", true, true},
                    blocked_case{"FolderWhereTheFileGoesNoNotices", true, false},
                    blocked_case{"FileWhereAFolderGoes", false, true},
                    blocked_case{"FileWhereAFolderGoesNoNotices", false, false}),
    [](const testing::TestParamInfo<blocked_case>& info) { return std::string(info.param.name); });

}  // namespace
