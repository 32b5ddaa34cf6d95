// A copy job over real folders with a fake clock and a recording dialog: each test builds a
// tree, sets the job's inputs and runs the worker on its own thread, then reads the reports.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/testing/recording_reports.h"
#include "tests/support/scratch_tree.h"

class CopyJob : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Host and engine paths below this test's scratch folder ("" is the folder itself).
  std::string host(const std::string& relative) const;
  std::string engine(const std::string& relative) const;

  // The job's inputs: source folders and destination, relative to the scratch folder, with
  // an optional trailing backslash in the engine's form.
  void set_sources(const std::vector<std::string>& engine_paths);
  void set_dest(const std::string& engine_path);

  // Runs copy_worker on the test's thread; returns its exit code.
  int32_t run_job();

  // Calls action once, at the first report that matches.
  void at_report(std::function<bool(const job_report&)> matches, std::function<void()> action);

  std::vector<int32_t> positions_of(report_kind kind) const;
  std::vector<std::string> texts_of(report_kind kind) const;
  std::vector<std::string> error_texts() const;  // every notice, captions checked
  // The reports in order, one short line each (see describe), leaving out the rate meter's
  // speed lines and estimates and the notices dont_notify holds back: "overall progress 66", "current file D:\out\a.txt", "notice <text>".
  std::vector<std::string> job_log() const;

  std::string root_;
};

// The end line of a job that skipped or failed files.
std::string end_line_counts(int copied, int skipped, int errors);
// What the job's end report carried (a failure when there was none).
job_outcome finished_outcome();

// Expected texts of the worker's notices.
std::string read_error_text(const std::string& path);
std::string write_error_text(const std::string& path);
std::string deletion_error_text(const std::string& path, int error_number);
