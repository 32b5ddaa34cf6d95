// A source file another process holds open without sharing: it cannot be read, so it is
// skipped with the read-error notice (none when notices are off) and the others are copied.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class LockedSource : public FaultFixture, public testing::WithParamInterface<bool> {
 protected:
  void TearDown() override {
    if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
    FaultFixture::TearDown();
  }
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

TEST_P(LockedSource, IsSkippedWithItsNoticeAndTheOthersAreCopied) {
  const bool with_notices = GetParam();
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\locked.bin", 6000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\z.bin", 8000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(with_notices || tick_dont_notify());
  const std::string locked = source + "\\locked.bin";
  lock_ = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                      nullptr);
  ASSERT_NE(lock_, INVALID_HANDLE_VALUE) << locked;

  ASSERT_TRUE(run_job_to_end());

  if (with_notices) {
    EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, locked)});
  } else {
    EXPECT_TRUE(notices.empty()) << notices[0];
  }
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "z.bin"}));
  CloseHandle(lock_);
  lock_ = INVALID_HANDLE_VALUE;
  check_invariant();
}

INSTANTIATE_TEST_SUITE_P(Notices, LockedSource, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "WithNotices" : "NoNotices");
                         });

}  // namespace
