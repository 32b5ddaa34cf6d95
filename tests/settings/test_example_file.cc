// A job of two sources is written exactly as the example settings file reads, and loads back.
#include <gtest/gtest.h>

#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"

namespace {
const char example_file[] =
    "[Ferrix]\r\n"
    "nsrc=2\r\n"
    "src0=D:\\work\r\n"
    "src1=D:\\photos\r\n"
    "dest=E:\\backup\r\n"
    "overwriteall=1\r\n"
    "dontnotify=0\r\n"
    "speed=92341\r\n";

class ExampleFile : public SettingsScratch {};

TEST_F(ExampleFile, SaveWritesItByteForByte) {
  const std::string path = path_of("example.frx");
  auto job = job_to_save({"D:\\work", "D:\\photos"}, "E:\\backup", 1, 0, 92341);
  ASSERT_EQ(save_job_settings(path.c_str(), *job), save_result::saved);
  EXPECT_EQ(read_raw(path), example_file);
}

TEST_F(ExampleFile, LoadsAsTheJobItDescribes) {
  const std::string path = path_of("example.frx");
  write_raw(path, example_file);
  EXPECT_EQ(load_job(path),
            (loaded_job{{"D:\\work", "D:\\photos"}, "E:\\backup", true, 1, 0, 92341, 0}));
}

TEST_F(ExampleFile, EmptyListAndDestinationAreWrittenAsSuch) {
  const std::string path = path_of("empty.frx");
  auto job = job_to_save({}, "", 0, 1, 62383);
  ASSERT_EQ(save_job_settings(path.c_str(), *job), save_result::saved);
  EXPECT_EQ(read_raw(path),
            "[Ferrix]\r\nnsrc=0\r\ndest=\r\noverwriteall=0\r\ndontnotify=1\r\nspeed=62383\r\n");
  EXPECT_EQ(load_job(path), (loaded_job{{}, "", true, 0, 1, 62383, 0}));
}
}  // namespace
