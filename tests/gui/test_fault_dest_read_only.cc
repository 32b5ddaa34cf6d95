// A destination file with the read-only attribute, and Overwrite ticked. Windows refuses to
// move the finished copy over it, and Ferrix keeps that rule where Wine (as root) would let the
// move replace it: the old file stays whole, the user gets the write-error notice, the end line
// counts the error, and no temporary is left beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class ReadOnlyDestination : public FaultFixture {
 protected:
  void TearDown() override {
    if (!read_only_.empty()) SetFileAttributesA(read_only_.c_str(), FILE_ATTRIBUTE_NORMAL);
    FaultFixture::TearDown();
  }
  std::string read_only_;
};

TEST_F(ReadOnlyDestination, HoldsTheOldFileWithANotice) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\ro.bin", 6000));
  const std::string target = folder("dest");
  read_only_ = target + "\\ro.bin";
  ASSERT_TRUE(file_tree::write_file(read_only_, "the old contents"));
  ASSERT_TRUE(SetFileAttributesA(read_only_.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(set_up_job({source}, target));
  driver::click(dialog, IDC_OVERWRITE_ALL);
  ASSERT_TRUE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));

  ASSERT_TRUE(run_job_to_end());

  std::string now;
  ASSERT_TRUE(file_tree::read_file(read_only_, now));
  EXPECT_EQ(now, "the old contents");
  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, read_only_)});
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), counts_line(1, 0, 1));
  placed.push_back("ro.bin");  // the old file, checked here
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "ro.bin"}));
  check_invariant();
}

}  // namespace
