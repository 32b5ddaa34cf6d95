// A destination that fills up in the middle of a file: a 1 MiB tmpfs mounted over the
// destination folder (possible only where this test may mount; skipped elsewhere, where the
// engine's own write-failure tests hold the behaviour). The file that does not fit is dropped
// with the write-error notice (none when notices are off), the ones that fit are copied.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/small_volume.h"

namespace {
constexpr ULONGLONG small_size = 1024 * 1024;

class FullDestination : public FaultFixture, public testing::WithParamInterface<bool> {
 protected:
  bool mount_small(const std::string& folder) {
    return mount_small_volume(volume_, folder, "1m", small_size);
  }
  void TearDown() override {
    unmount_small_volume(volume_, small_size);
    FaultFixture::TearDown();
  }
  small_volume volume_;
};

TEST_P(FullDestination, TheFileThatDoesNotFitIsDroppedAndTheOthersCopied) {
  const bool with_notices = GetParam();
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 300 * 1024));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\big.bin", 3 * 1024 * 1024));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\c.bin", 200 * 1024));
  const std::string target = folder("dest");
  dest = target;
  if (!mount_small(target)) GTEST_SKIP() << "no small file system can be mounted here";
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(with_notices || tick_dont_notify());

  ASSERT_TRUE(run_job_to_end());

  if (with_notices) {
    EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\big.bin")});
  } else {
    EXPECT_TRUE(notices.empty()) << notices[0];
  }
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "c.bin"}));
  check_invariant();
}

INSTANTIATE_TEST_SUITE_P(Notices, FullDestination, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "WithNotices" : "NoNotices");
                         });

}  // namespace
