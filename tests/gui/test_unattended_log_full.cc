// A log on a volume that fills up during a /start run: the copy goes on to its end, and the exit
// code is 1, since the log no longer names everything that was not copied. A page of tmpfs
// holds the log (possible only where this test may mount; skipped elsewhere).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "tests/gui/file_tree.h"
#include "tests/gui/small_volume.h"
#include "tests/gui/unattended_fixture.h"

namespace {
constexpr ULONGLONG one_page = 4096;
constexpr int kept_files = 200;  // an entry each: far more than a page holds

class UnattendedLogFull : public UnattendedFixture {
 protected:
  void TearDown() override {
    unmount_small_volume(volume_, one_page);
    UnattendedFixture::TearDown();
  }
  small_volume volume_;
};

TEST_F(UnattendedLogFull, ExitsWithOneAndTheJobRunsToItsEnd) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  for (int i = 0; i < kept_files; ++i) {
    char name[32];
    snprintf(name, sizeof name, "\\f%03d.bin", i);
    ASSERT_NO_FATAL_FAILURE(make_file(source + name, 10));
    ASSERT_NO_FATAL_FAILURE(make_file(dest + name, 5));
  }
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\new.bin", 10));
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  const std::string log_folder = folder("log");
  if (!mount_small_volume(volume_, log_folder, "4k", one_page))
    GTEST_SKIP() << "no small file system can be mounted here";
  log_path = log_folder + "\\run.log";
  ASSERT_TRUE(start("{job} /start /log {log}"));

  EXPECT_EQ(exit_code_without_boxes(), 1);
  std::string copied;
  EXPECT_TRUE(file_tree::read_file(dest + "\\new.bin", copied)) << "the copy went on";
  EXPECT_EQ(copied.size(), 10u);
  std::string log;
  ASSERT_TRUE(file_tree::read_file(log_path, log));
  EXPECT_LE(log.size(), one_page) << "the test's volume held more than a page";
}
}  // namespace
