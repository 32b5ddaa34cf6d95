// Fixtures that run jobs: a scratch folder with the trees to copy, the slider set the way the
// test needs, and the waits for a job's stages.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "res/texts.h"
#include "tests/gui/ferrix_fixture.h"

class JobFixture : public FerrixFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A folder in this test's scratch folder, created.
  std::string folder(const std::string& name);
  // A file of this size with contents of its own; its parent folder must exist.
  void make_file(const std::string& path, size_t size);

  // The slider at its lowest or its highest position, and the dialog showing it.
  testing::AssertionResult slowest_speed();
  testing::AssertionResult unlimited_speed();

  // One source holding one file big enough to take minutes at the slowest speed, the
  // destination empty, the speed at its lowest: a job that keeps running until stopped.
  void prepare_long_job();
  // Start, then wait until the file is being copied (its first chunks are in).
  testing::AssertionResult start_long_job();
  // Makes the long job's partial file read-only, so that a stopped worker cannot delete it and
  // waits at its deletion notice. The file's path goes to path.
  testing::AssertionResult pin_partial_file(std::string& path);
  // Lets the pinned file be deleted again.
  static void release_partial_file(const std::string& path);

  // Waits until the worker has said the job is over: its end line (the completion text unless
  // given) and Start/Stop back to its Start caption.
  testing::AssertionResult job_finished(const std::string& end_line = TEXT_ALL_DONE);
  // Waits until the worker has ended too: Start is enabled again.
  testing::AssertionResult worker_gone();

  std::string root;
  std::string long_job_source;
  std::string long_job_dest;
  std::string long_job_file;  // its destination path
};
