// A job file's relative paths are read against the job file's folder, wherever the program
// was started, shown in full, and copied there; a drive-relative one is refused at the Load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
class RelativeJobFile : public FaultFixture {};

// Started in another folder, the program reads "source" and "relout" against the job file's
// folder, shows them in full and copies there; nothing lands in the folder it started in.
TEST_F(RelativeJobFile, PathsAreReadAgainstTheJobFilesFolder) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 3000));
  const std::string elsewhere = folder("elsewhere");
  const std::string job_file = root + "\\job.frx";
  ASSERT_TRUE(file_tree::write_file(
      job_file, "[Ferrix]\r\nnsrc=1\r\nsrc0=source\r\ndest=relout\r\noverwriteall=0\r\n"));
  driver::close_ferrix(ferrix);  // the fixture's own, started without an argument
  ASSERT_TRUE(driver::start_ferrix(ferrix, "\"" + job_file + "\"", elsewhere));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;

  EXPECT_EQ(driver::list_entries(dialog), std::vector<std::string>{source});
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), root + "\\relout");
  sources = {source};
  dest = root + "\\relout";
  take_snapshot();
  ASSERT_TRUE(unlimited_speed());
  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(file_tree::files_below(dest), std::vector<std::string>{"a.bin"});
  EXPECT_TRUE(file_tree::files_below(elsewhere).empty());
  check_invariant();
}

// "E:name" would be read against drive E's current folder, which depends on what was browsed
// last: the Load refuses it with its box and leaves the field empty; the full source loads.
TEST_F(RelativeJobFile, ADriveRelativeDestinationIsRefusedAtTheLoad) {
  const std::string source = folder("source");
  const std::string job_file = root + "\\job.frx";
  ASSERT_TRUE(file_tree::write_file(
      job_file, "[Ferrix]\r\nnsrc=1\r\nsrc0=" + source + "\r\ndest=E:name\r\n"));
  driver::close_ferrix(ferrix);
  ASSERT_TRUE(driver::start_ferrix(ferrix, "\"" + job_file + "\"", folder("elsewhere")));

  HWND box = driver::wait_for_window_of(ferrix, TEXT_ERROR_CAPTION);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::message_box_text(box), notice(TEXT_DEST_NOT_FULL_PATH, "E:name"));
  ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  EXPECT_EQ(driver::list_entries(dialog), std::vector<std::string>{source});
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), "");
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP));
}
}  // namespace
