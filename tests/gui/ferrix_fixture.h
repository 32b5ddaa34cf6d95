// A fresh ferrix.exe for each test, and the user's moves that take several steps.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/ferrix_driver.h"

class FerrixFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Add: the folder browser opens, the folder is picked in it, OK.
  testing::AssertionResult add_source_folder(const std::string& path);
  // Browse: the same for the destination.
  testing::AssertionResult choose_destination_folder(const std::string& path);
  // Opens the browser with Add or Browse and returns it once it is up.
  HWND open_browser(int button_id);

  // Waits until a control shows this text; the failure names the control and its last text.
  testing::AssertionResult text_becomes(int control_id, const std::string& text);
  testing::AssertionResult enabled_becomes(int control_id, bool enabled);

  // The end line of a job that skipped or failed files.
  static std::string counts_line(int copied, int skipped, int errors);

  driver::ferrix_process ferrix;
  HWND dialog = nullptr;
};
