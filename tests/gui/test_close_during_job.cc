// Closing the window while a job runs: the worker is stopped first, its partial file is
// deleted, and the process still ends with exit code 1.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/job_fixture.h"

namespace {

class CloseDuringJob : public JobFixture {
 protected:
  void SetUp() override {
    JobFixture::SetUp();
    ASSERT_NO_FATAL_FAILURE(prepare_long_job());
    ASSERT_TRUE(start_long_job());
  }
};

TEST_F(CloseDuringJob, EndsWithExitCodeOneAndNoPartialFile) {
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
  EXPECT_TRUE(file_tree::files_below(long_job_dest).empty());
}

TEST_F(CloseDuringJob, WhilePausedEndsTheSameWay) {
  driver::click(dialog, IDC_PAUSE);
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
  EXPECT_TRUE(file_tree::files_below(long_job_dest).empty());
}

TEST_F(CloseDuringJob, AfterStopEndsOnceTheWorkerHasGone) {
  driver::click(dialog, IDC_START_STOP);
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
  EXPECT_TRUE(file_tree::files_below(long_job_dest).empty());
}

TEST_F(CloseDuringJob, WaitsForTheWorkerWhileItStillReportsAndTakesNoCommand) {
  // A partial file that cannot be deleted keeps the stopped worker at its deletion notice.
  std::string partial_path;
  ASSERT_TRUE(pin_partial_file(partial_path));

  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND notice = driver::wait_for_message_box(ferrix);
  release_partial_file(partial_path);
  ASSERT_NE(notice, nullptr) << "no deletion notice";
  EXPECT_FALSE(driver::has_exited(ferrix)) << "ended before its worker";
  EXPECT_FALSE(IsWindowEnabled(dialog)) << "takes commands while closing";

  ASSERT_TRUE(driver::press_and_wait_gone(notice, IDOK));
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
  file_tree::remove_tree(long_job_dest);  // the partial file that could not be deleted
}

}  // namespace
