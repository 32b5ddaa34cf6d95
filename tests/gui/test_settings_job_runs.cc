// A job kept in a settings file runs the same copy in a new Ferrix, and the options it loads
// are the ones the worker follows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"

namespace {
class SavedJobRuns : public SettingsFixture {
 protected:
  // Start, and wait for the job's end line: all done unless told otherwise.
  testing::AssertionResult run_job_to_its_end(const std::string& end_line = TEXT_ALL_DONE) {
    driver::click(dialog, IDC_START_STOP);
    if (!driver::wait_until([&] {
          return driver::control_text(dialog, IDC_ESTIMATE_LINE) == end_line &&
                 driver::control_text(dialog, IDC_START_STOP) == TEXT_START;
        }))
      return testing::AssertionFailure() << "the job did not finish: "
                                         << driver::control_text(dialog, IDC_STATUS_LINE);
    return testing::AssertionSuccess();
  }
};

TEST_F(SavedJobRuns, InANewFerrixTheLoadedJobCopiesTheSameFiles) {
  const std::string folder = scratch("job");
  // Folder names whose last byte is a backslash's (乗, 嘰) and a plain double-byte name (文件).
  const std::string first = folder + "\\first \x81\x5c";
  const std::string second = folder + "\\\xce\xc4\xbc\xfe";
  const std::string dest = folder + "\\dest \x87\x5c";
  for (const std::string& made : {first, first + "\\\x87\x5c", second, dest})
    ASSERT_TRUE(file_tree::make_folder(made)) << made;
  ASSERT_TRUE(file_tree::write_file(first + "\\a.bin", file_tree::pattern_bytes(300000, 1)));
  ASSERT_TRUE(
      file_tree::write_file(first + "\\\x87\x5c\\b.bin", file_tree::pattern_bytes(1000, 2)));
  ASSERT_TRUE(file_tree::write_file(second + "\\c.bin", file_tree::pattern_bytes(0, 3)));

  ASSERT_TRUE(add_source_folder(first));
  ASSERT_TRUE(add_source_folder(second));
  ASSERT_TRUE(choose_destination_folder(dest));
  driver::set_slider(dialog, 161181);  // unlimited
  ASSERT_TRUE(driver::wait_until([&] { return shown().speed_text == "(unlimited picture)"; }));
  const shown_job saved = shown();
  const std::string path = folder + "\\copy job.frx";
  ASSERT_TRUE(save_as(path));

  ASSERT_TRUE(restart());
  ASSERT_TRUE(load_from(path));
  ASSERT_TRUE(shows(saved));
  ASSERT_TRUE(run_job_to_its_end());

  const std::vector<std::string> expected = {"a.bin", "c.bin", "\x87\x5c\\b.bin"};
  EXPECT_EQ(file_tree::files_below(dest), expected);
  for (const auto& [copy, original] :
       {std::pair{dest + "\\a.bin", first + "\\a.bin"},
        std::pair{dest + "\\\x87\x5c\\b.bin", first + "\\\x87\x5c\\b.bin"},
        std::pair{dest + "\\c.bin", second + "\\c.bin"}})
    EXPECT_TRUE(read_bytes(copy) == read_bytes(original)) << copy << " differs from " << original;
}

struct overwrite_case {
  const char* name;
  const char* value;
  bool replaced;
};

class LoadedOverwrite : public SavedJobRuns, public testing::WithParamInterface<overwrite_case> {};

TEST_P(LoadedOverwrite, TheWorkerFollowsTheBoxAsShown) {
  const std::string folder = scratch("job");
  ASSERT_TRUE(file_tree::make_folder(folder + "\\source"));
  ASSERT_TRUE(file_tree::make_folder(folder + "\\dest"));
  ASSERT_TRUE(file_tree::write_file(folder + "\\source\\same.txt", "new contents"));
  ASSERT_TRUE(file_tree::write_file(folder + "\\dest\\same.txt", "old"));
  const std::string path = folder + "\\job.frx";
  ASSERT_TRUE(file_tree::write_file(path, "[Ferrix]\r\nnsrc=1\r\nsrc0=" + folder +
                                              "\\source\r\ndest=" + folder +
                                              "\\dest\r\noverwriteall=" + GetParam().value +
                                              "\r\ndontnotify=1\r\nspeed=161181\r\n"));
  ASSERT_TRUE(load_from(path));
  ASSERT_TRUE(driver::wait_until([&] { return driver::is_enabled(dialog, IDC_START_STOP); }));
  EXPECT_EQ(driver::is_checked(dialog, IDC_OVERWRITE_ALL), GetParam().replaced) << GetParam().name;
  // Kept, the file is counted as skipped on the end line.
  ASSERT_TRUE(run_job_to_its_end(GetParam().replaced ? TEXT_ALL_DONE : counts_line(0, 1, 0)));
  EXPECT_EQ(read_bytes(folder + "\\dest\\same.txt"), GetParam().replaced ? "new contents" : "old")
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Values, LoadedOverwrite,
                         testing::Values(overwrite_case{"one", "1", true},
                                         overwrite_case{"two", "2", false},
                                         overwrite_case{"minus_one", "-1", false}),
                         [](const testing::TestParamInfo<overwrite_case>& info) {
                           return std::string(info.param.name);
                         });
}  // namespace
