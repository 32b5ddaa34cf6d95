// Runs of `ferrix.exe JOB /start /log LOG`: the job file and the log in the test's scratch
// folder, the run watched for any window but its dialog, and the log read back line by line.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui/job_fixture.h"

class UnattendedFixture : public JobFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The job file: these sources and destination, at this slider position (unlimited unless
  // given).
  void write_job(const std::vector<std::string>& sources, const std::string& dest,
                 int speed_position = 161181);
  // Another process holds the file open without sharing: the job cannot read it.
  void lock_file(const std::string& path);

  // ferrix.exe with these arguments; "{job}" and "{log}" stand for the two files' quoted paths.
  testing::AssertionResult start(const std::string& arguments);
  // Waits until the program ends by itself, checking meanwhile that no window but its dialog
  // ever shows; returns the exit code (-1: it did not end).
  int exit_code_without_boxes();
  // Whether every visible window of the program is its dialog; the failure names the others.
  testing::AssertionResult only_the_dialog_shows();

  // The log's lines after their time stamps (each checked as "YYYY-MM-DD HH:MM:SS "), with the
  // end line's duration as "*"; the failure is in `log_lines_valid`.
  std::vector<std::string> log_lines();
  testing::AssertionResult log_lines_valid = testing::AssertionSuccess();
  // Waits until the log holds these lines.
  testing::AssertionResult log_becomes(const std::vector<std::string>& lines);

  // Texts as the log writes them.
  static std::string entry(const char* reason, const std::string& path);
  static std::string formatted(const char* format, const std::string& text);

  std::string job_path;
  std::string log_path;

 private:
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};
