// Files that Save never writes load without harm: junk, misplaced keys, odd values, a folder
// or nothing at all where the file should be.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"

namespace {
class HostileFile : public SettingsScratch {
 protected:
  std::string path_ = path_of("hostile.frx");
};

TEST_F(HostileFile, BinaryJunkLoadsAsDefaults) {
  std::mt19937 random(20240611);
  std::string junk = "MZ";  // no byte-order mark at the start
  while (junk.size() < 64 * 1024) {
    const char byte = static_cast<char>(random() & 0xFF);
    if (byte != '[') junk += byte;  // no section header can form
  }
  write_raw(path_, junk);
  EXPECT_EQ(load_job(path_), default_job());
}

TEST_F(HostileFile, KeysWithoutTheSectionLoadAsDefaults) {
  write_raw(
      path_,
      "nsrc=2\r\nsrc0=D:\\a\r\nsrc1=D:\\b\r\ndest=E:\\c\r\noverwriteall=1\r\nspeed=100000\r\n");
  EXPECT_EQ(load_job(path_), default_job());
}

TEST_F(HostileFile, EqualsAndSemicolonsStayInsideValues) {
  write_raw(path_, "[Ferrix]\r\nnsrc=2\r\nsrc0=D:\\a=b;c\r\nsrc1=;D:\\x\r\ndest=E:\\x;y=z\r\n");
  const loaded_job job = load_job(path_);
  EXPECT_EQ(job.sources, (std::vector<std::string>{"D:\\a=b;c", ";D:\\x"}));
  EXPECT_EQ(job.dest, "E:\\x;y=z");
}

TEST_F(HostileFile, AFolderWhereTheFileShouldBeLoadsAsDefaults) {
  ASSERT_EQ(make_folder(path_.c_str()), make_folder_result::made);
  EXPECT_EQ(load_job(path_), default_job());
}

TEST_F(HostileFile, AMissingFileLoadsAsDefaults) {
  EXPECT_EQ(load_job(path_of("never written.frx")), default_job());
}

TEST_F(HostileFile, ATooLongDestinationIsReportedNotCut) {
  const std::string long_dest = "E:\\" + std::string(257, 'y');  // 260 characters
  write_raw(path_, "[Ferrix]\r\ndest=" + long_dest + "\r\n");
  const loaded_job job = load_job(path_);
  EXPECT_FALSE(job.dest_fits);
  EXPECT_EQ(job.dest, long_dest);
}

TEST_F(HostileFile, ADestinationOfTheFieldsFullLengthFits) {
  const std::string full_dest = "E:\\" + std::string(256, 'y');  // 259 characters
  write_raw(path_, "[Ferrix]\r\ndest=" + full_dest + "\r\n");
  const loaded_job job = load_job(path_);
  EXPECT_TRUE(job.dest_fits);
  EXPECT_EQ(job.dest, full_dest);
}
}  // namespace
