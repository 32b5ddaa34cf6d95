// A destination file that another program holds open without sharing, Overwrite off: it
// exists all the same, so it gets the exists notice and counts as skipped, and nothing of the
// source is copied for it.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class LockedDestination : public FaultFixture {
 protected:
  void TearDown() override {
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
    FaultFixture::TearDown();
  }
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(LockedDestination, IsKeptWithTheExistsNoticeAndCountedAsSkipped) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\locked.bin", 300000));
  const std::string target = folder("dest");
  const std::string locked = target + "\\locked.bin";
  ASSERT_TRUE(file_tree::write_file(locked, "the old contents"));
  held_ = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      0, nullptr);
  ASSERT_NE(held_, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, locked)});
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), counts_line(1, 1, 0));
  CloseHandle(held_);
  held_ = INVALID_HANDLE_VALUE;
  std::string now;
  ASSERT_TRUE(file_tree::read_file(locked, now));
  EXPECT_EQ(now, "the old contents");
  placed.push_back("locked.bin");  // the old file, checked here
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "locked.bin"}));
  check_invariant();
}

}  // namespace
