// The settings-file tests' fixture: a ferrix.exe as FerrixFixture gives it, plus Save and
// Load worked through the real common file dialogs, and the job as the dialog shows it.
#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/gui/ferrix_fixture.h"

// Everything a load sets, as the dialog shows it.
struct shown_job {
  std::vector<std::string> sources;
  std::string dest;
  bool overwrite_all;
  bool dont_notify;
  int slider;
  std::string speed_text;  // the label's text, or "(unlimited picture)"
  bool start_enabled;

  bool operator==(const shown_job&) const = default;
};
std::ostream& operator<<(std::ostream& out, const shown_job& job);

class SettingsFixture : public FerrixFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Save: the save dialog, the path typed into its file-name field, OK, and Yes when
  // it asks before replacing a file.
  testing::AssertionResult save_as(const std::string& typed_path);
  // Load: the open dialog, the path typed, OK.
  testing::AssertionResult load_from(const std::string& typed_path);
  // Opens the save or open dialog with its button and returns it once it is up.
  HWND open_file_dialog(int button_id);
  // What the file-name field of an open file dialog holds.
  std::string file_name_field(HWND file_dialog);
  // Cancel, and the dialog is gone.
  testing::AssertionResult cancel(HWND file_dialog);

  // Returns once the dialog's thread has handled everything sent before (its command has
  // run to its end or is showing a modal window).
  void settle();
  shown_job shown();
  // Waits until the dialog shows this job; the failure prints both.
  testing::AssertionResult shows(const shown_job& expected);

  // Closes this ferrix.exe and starts a new one.
  testing::AssertionResult restart();

  // A folder of this test's own, emptied now and removed when the test ends.
  std::string scratch(const std::string& name);
  static std::string read_bytes(const std::string& path);
  // Waits until the file holds exactly these bytes (a save may still be under way when its
  // dialog has gone); the failure shows what it holds.
  static testing::AssertionResult file_becomes(const std::string& path, const std::string& bytes);

  // The speed label's text for a limit, as the dialog formats it.
  static std::string speed_text(int bytes_per_second);

 private:
  std::vector<std::string> scratch_folders_;
};
