// The program's state folder cannot be made (a file stands where it must go, which binds root
// too): no crash record can be kept. The job says so once at its start, in the status line
// and the log, without a box, and runs as any other.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/unattended_fixture.h"

namespace {

class StateFolder : public UnattendedFixture {
 protected:
  // The temporary folder this test's ferrix.exe is started with, below a file.
  void SetUp() override {
    UnattendedFixture::SetUp();
    for (int i = 0; i < 2; ++i) {
      char value[MAX_PATH] = "";
      const DWORD length = GetEnvironmentVariableA(temp_variables[i], value, sizeof value);
      had[i] = length > 0 && length < sizeof value;
      saved[i] = value;
    }
    ASSERT_TRUE(file_tree::write_file(root + "\\blocker", "a file, not a folder"));
    temp = root + "\\blocker\\temp";
    for (const char* name : temp_variables) SetEnvironmentVariableA(name, temp.c_str());
  }
  void TearDown() override {
    for (int i = 0; i < 2; ++i)
      SetEnvironmentVariableA(temp_variables[i], had[i] ? saved[i].c_str() : nullptr);
    UnattendedFixture::TearDown();
  }
  static constexpr const char* temp_variables[2] = {"TMP", "TEMP"};
  bool had[2] = {};
  std::string saved[2];
  std::string temp;
};

// A folder stands where the first file goes: its write-error box holds the worker, so the
// status line still shows what the job said at its start.
TEST_F(StateFolder, ThatCannotHoldRecordsIsSaidInTheStatusLineAndTheLogAndTheJobRuns) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 100));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\b.bin", 100));
  folder("dest\\a.bin");
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  ASSERT_TRUE(start("{job} /log {log}"));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  driver::click(dialog, IDC_START_STOP);

  HWND box = driver::wait_for_window_of(ferrix, TEXT_FILE_ACCESS_CAPTION);
  ASSERT_NE(box, nullptr);
  const std::string said = entry(TEXT_LOG_NO_CRASH_RECORDS, temp + "\\Ferrix\\");
  EXPECT_EQ(driver::text_of(GetDlgItem(dialog, IDC_STATUS_LINE)), said);
  ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  char counts[256];
  snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 0, 1);
  ASSERT_TRUE(job_finished(counts));
  ASSERT_TRUE(worker_gone());
  EXPECT_TRUE(only_the_dialog_shows()) << "no other box";

  const std::vector<std::string> lines = log_lines();
  ASSERT_TRUE(log_lines_valid);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], said) << "once, before the file's entry";
  EXPECT_EQ(lines[2], entry(TEXT_LOG_WRITE_ERROR, dest + "\\a.bin"));
  std::string copy;
  ASSERT_TRUE(file_tree::read_file(dest + "\\b.bin", copy));
  EXPECT_EQ(copy.size(), 100u);
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
}

}  // namespace
