// Trees that lead back into themselves or into each other: a folder link to an ancestor, a
// destination inside its source, the same folder listed twice. Each job ends, copies every
// file once into its place and leaves no half-done file.
#include <gtest/gtest.h>

#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class Overlapping : public FaultFixture {
 protected:
  std::string make_source_tree() {
    const std::string source = folder("source");
    EXPECT_TRUE(file_tree::make_folder(source + "\\sub"));
    make_file(source + "\\a.bin", 4000);
    make_file(source + "\\sub\\b.bin", 5000);
    return source;
  }
};

TEST_F(Overlapping, AFolderLinkBackToAnAncestorIsNotEnteredAgain) {
  const std::string source = make_source_tree();
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  // Made after the snapshot, and removed before the check: the snapshot must not walk it.
  const std::string link = source + "\\sub\\loop";
  if (!host_make_folder_link(link, source)) GTEST_SKIP() << "no folder links on this host";

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices[0];
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "sub\\b.bin"}));
  host_remove_folder_link(link);
  check_invariant();
}

TEST_F(Overlapping, ADestinationInsideItsSourceGetsTheFilesThatWereThereAtTheScan) {
  const std::string source = make_source_tree();
  const std::string target = source + "\\out";
  ASSERT_TRUE(file_tree::make_folder(target));
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices[0];
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "sub\\b.bin"}));
  check_invariant();
}

// The next run must not find the last run's copies as files of the source, or out\out\ would
// appear, and out\out\out\ on the run after.
TEST_F(Overlapping, ADestinationInsideItsSourceIsNotCopiedIntoItselfOnTheNextRun) {
  const std::string source = make_source_tree();
  const std::string target = source + "\\out";
  ASSERT_TRUE(file_tree::make_folder(target));
  ASSERT_TRUE(set_up_job({source}, target));
  driver::click(dialog, IDC_OVERWRITE_ALL);

  for (int run = 1; run <= 3; ++run) {
    ASSERT_TRUE(run_job_to_end()) << "run " << run;
    EXPECT_TRUE(notices.empty()) << "run " << run << ": " << notices[0];
    EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "sub\\b.bin"}))
        << "run " << run;
    EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), TEXT_ALL_DONE) << "run " << run;
  }
  check_invariant();
}

// The second listing of each file finds its copy there: kept, and said so, unless Overwrite.
TEST_F(Overlapping, TheSameFolderTwiceCopiesEachFileOnceAndNamesTheSecondTry) {
  const std::string source = make_source_tree();
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source, source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, (std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\a.bin"),
                                               notice(TEXT_WRITE_ERROR, target + "\\sub\\b.bin")}));
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "sub\\b.bin"}));
  check_invariant();
}

TEST_F(Overlapping, TheSameFolderTwiceWithOverwriteReplacesQuietly) {
  const std::string source = make_source_tree();
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source, source}, target));
  driver::click(dialog, IDC_OVERWRITE_ALL);
  ASSERT_TRUE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices[0];
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "sub\\b.bin"}));
  check_invariant();
}

}  // namespace
