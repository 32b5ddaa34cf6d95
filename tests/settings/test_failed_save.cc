// A save that does not reach the file is reported, and a value that no profile line can carry
// is refused before the file is touched.
#include <gtest/gtest.h>

#include <string>

#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"

namespace {
class FailedSave : public SettingsScratch {};

TEST_F(FailedSave, IntoAMissingFolder) {
  auto job = job_to_save({"D:\\a"}, "E:\\b", 0, 0, 92341);
  EXPECT_EQ(save_job_settings(path_of("missing\\job.frx").c_str(), *job), save_result::not_written);
}

TEST_F(FailedSave, OntoAFolder) {
  const std::string path = path_of("folder.frx");
  ASSERT_EQ(make_folder(path.c_str()), make_folder_result::made);
  auto job = job_to_save({"D:\\a"}, "E:\\b", 0, 0, 92341);
  EXPECT_EQ(save_job_settings(path.c_str(), *job), save_result::not_written);
}

struct line_break_case {
  const char* name;
  const char* source;
  const char* dest;
};

class LineBreakInValue : public FailedSave,
                         public testing::WithParamInterface<line_break_case> {};

TEST_P(LineBreakInValue, IsRefusedAndTheFileKept) {
  const std::string path = path_of("kept.frx");
  const std::string before = "[Ferrix]\r\nnsrc=1\r\nsrc0=D:\\old\r\n";
  write_raw(path, before);
  auto job = job_to_save({"D:\\a", GetParam().source}, GetParam().dest, 0, 0, 92341);
  EXPECT_EQ(save_job_settings(path.c_str(), *job), save_result::value_not_storable)
      << GetParam().name;
  EXPECT_EQ(read_raw(path), before) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, LineBreakInValue,
    testing::Values(line_break_case{"source_with_line_feed", "D:\\a\n[Evil]", "E:\\"},
                    line_break_case{"source_with_carriage_return", "D:\\a\rb", "E:\\"},
                    line_break_case{"dest_with_both", "D:\\b", "E:\\x\r\nspeed=1"}),
    [](const testing::TestParamInfo<line_break_case>& info) { return info.param.name; });
}  // namespace
