// Pause, Continue and Stop pressed during a real job, and what the dialog and the destination
// show afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/job_fixture.h"

namespace {

class PauseAndStop : public JobFixture {
 protected:
  void SetUp() override {
    JobFixture::SetUp();
    ASSERT_NO_FATAL_FAILURE(prepare_long_job());
  }

  std::string status_line() { return driver::control_text(dialog, IDC_STATUS_LINE); }
  // The status line's wording while paused and while copying.
  static bool says_paused(const std::string& line) { return line.find("当前速度") != std::string::npos; }
  static bool says_copying(const std::string& line) { return line.find("| 速度 :") != std::string::npos; }

  testing::AssertionResult idle_controls() {
    if (driver::control_text(dialog, IDC_START_STOP) != TEXT_START)
      return testing::AssertionFailure() << "Start/Stop still reads as Stop";
    if (driver::is_enabled(dialog, IDC_PAUSE))
      return testing::AssertionFailure() << "Pause still enabled";
    for (int unlocked : {IDC_ADD, IDC_REMOVE, IDC_LOAD, IDC_BROWSE, IDC_CLEAR_ALL})
      if (!driver::is_enabled(dialog, unlocked))
        return testing::AssertionFailure() << "control " << unlocked << " still disabled";
    return testing::AssertionSuccess();
  }
};

TEST_F(PauseAndStop, TheRunningJobShowsItsFileBarsAndSpeed) {
  ASSERT_TRUE(start_long_job());
  EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP);
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_PAUSE));
  EXPECT_EQ(driver::progress_position(dialog, IDC_ALL_PROGRESS), 100) << "one file of one left";
  EXPECT_TRUE(driver::wait_until([&] { return says_copying(status_line()); })) << status_line();
  // Selecting a source during the job leaves Remove disabled.
  driver::select_list_entry(dialog, 0);
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_REMOVE));
  EXPECT_TRUE(driver::save_screenshot(dialog, "running"));
}

TEST_F(PauseAndStop, PauseHoldsTheJobAndASecondPressContinuesIt) {
  ASSERT_TRUE(start_long_job());
  driver::click(dialog, IDC_PAUSE);
  EXPECT_TRUE(driver::wait_until([&] { return says_paused(status_line()); })) << status_line();
  EXPECT_EQ(driver::control_text(dialog, IDC_PAUSE), TEXT_PAUSE) << "the caption never changes";
  EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP);
  EXPECT_TRUE(text_becomes(IDC_ESTIMATE_LINE, "")) << "no estimate while paused";

  driver::click(dialog, IDC_PAUSE);
  EXPECT_TRUE(driver::wait_until([&] { return says_copying(status_line()); })) << status_line();
  const int position = driver::progress_position(dialog, IDC_FILE_PROGRESS);
  EXPECT_TRUE(driver::wait_until(
      [&] { return driver::progress_position(dialog, IDC_FILE_PROGRESS) > position; }))
      << "the copy went on";
}

TEST_F(PauseAndStop, StopReturnsToIdleAtOnceAndTheAbandonedFileIsDeleted) {
  ASSERT_TRUE(start_long_job());
  driver::click(dialog, IDC_START_STOP);
  EXPECT_TRUE(idle_controls()) << "right after Stop";
  EXPECT_TRUE(job_finished(TEXT_JOB_STOPPED)) << "a stopped job never says all done";
  // The end line comes a moment before the job's last bar positions; by the time the worker
  // is gone the dialog has shown them.
  ASSERT_TRUE(worker_gone());
  EXPECT_EQ(driver::progress_position(dialog, IDC_FILE_PROGRESS), 0);
  EXPECT_EQ(driver::progress_position(dialog, IDC_ALL_PROGRESS), 0) << "the file counts as done";
  EXPECT_TRUE(idle_controls());
  EXPECT_TRUE(file_tree::files_below(long_job_dest).empty()) << "no partial file stays";
}

TEST_F(PauseAndStop, StopWhilePausedDeletesThePartialFileToo) {
  ASSERT_TRUE(start_long_job());
  driver::click(dialog, IDC_PAUSE);
  ASSERT_TRUE(driver::wait_until([&] { return says_paused(status_line()); }));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(job_finished(TEXT_JOB_STOPPED));
  ASSERT_TRUE(worker_gone());
  EXPECT_TRUE(file_tree::files_below(long_job_dest).empty());
}

TEST_F(PauseAndStop, StartWaitsUntilTheStoppedJobsWorkerHasEnded) {
  ASSERT_TRUE(start_long_job());
  // A partial file that cannot be deleted keeps the stopped worker at its deletion notice, so
  // the test sees the dialog while that worker is still there.
  std::string partial_path;
  ASSERT_TRUE(pin_partial_file(partial_path));

  driver::click(dialog, IDC_START_STOP);
  HWND notice = driver::wait_for_message_box(ferrix);
  release_partial_file(partial_path);
  ASSERT_NE(notice, nullptr) << "no deletion notice";
  EXPECT_NE(driver::message_box_text(notice).find(partial_path), std::string::npos)
      << driver::message_box_text(notice);
  EXPECT_TRUE(idle_controls());
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP)) << "a worker is still there";

  ASSERT_TRUE(driver::press_and_wait_gone(notice, IDOK));
  EXPECT_TRUE(job_finished(TEXT_JOB_STOPPED));
  EXPECT_TRUE(worker_gone());
}

TEST_F(PauseAndStop, WmUserWithAnotherLparamLeavesTheJobRunning) {
  ASSERT_TRUE(start_long_job());
  for (LPARAM foreign : {0, 1, 68, 70, -69}) {
    SendMessageA(dialog, WM_USER, 0, foreign);
    EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP) << "lParam " << foreign;
    EXPECT_TRUE(driver::is_enabled(dialog, IDC_PAUSE)) << "lParam " << foreign;
    EXPECT_FALSE(driver::is_enabled(dialog, IDC_ADD)) << "lParam " << foreign;
  }
}

}  // namespace
