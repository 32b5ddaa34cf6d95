// `ferrix.exe PATH`: the file is loaded as Load loads one and Save proposes it; a file that
// cannot be read is named in a box before the dialog shows, which then opens as usual.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"
#include "tests/support/case_name.h"

namespace {
constexpr char job_text[] =
    "[Ferrix]\r\nnsrc=1\r\nsrc0=C:\\s\r\ndest=C:\\d\r\noverwriteall=1\r\nspeed=62383\r\n";

struct argument_case {
  const char* name;
  const char* file;       // made in a folder "my 乗 jobs": a blank, and 81 5C
  const char* arguments;  // %s: the file's full path
  bool in_its_folder;     // ferrix.exe started in the file's folder
  const char* contents;   // null: the file is a folder, "": no file at all
};

class JobFileArgument : public SettingsFixture,
                        public testing::WithParamInterface<argument_case> {
 protected:
  std::string proposed_by_save() {
    HWND save_dialog = open_file_dialog(IDC_SAVE);
    const std::string proposed = file_name_field(save_dialog);
    EXPECT_TRUE(cancel(save_dialog));
    return proposed;
  }
};

TEST_P(JobFileArgument, LoadsTheFileOrNamesItInABox) {
  const argument_case& job = GetParam();
  const std::string folder = scratch("jobs") + "\\my \x81\x5C jobs";
  const std::string path = folder + "\\" + job.file;
  const bool loads = job.contents != nullptr && job.contents[0] != '\0';
  ASSERT_TRUE(file_tree::make_folder(folder));
  ASSERT_TRUE(job.contents != nullptr || file_tree::make_folder(path));
  ASSERT_TRUE(!loads || file_tree::write_file(path, job.contents));
  char arguments[1024];
  snprintf(arguments, sizeof arguments, job.arguments, path.c_str());
  driver::close_ferrix(ferrix);  // the fixture's own, started without an argument
  ASSERT_TRUE(driver::start_ferrix(ferrix, arguments, job.in_its_folder ? folder : ""));

  if (!loads) {
    HWND box = driver::wait_for_window_of(ferrix, TEXT_ERROR_CAPTION);
    ASSERT_NE(box, nullptr) << job.name;
    char expected[1024];
    snprintf(expected, sizeof expected, TEXT_JOB_FILE_UNREADABLE, path.c_str());
    EXPECT_EQ(driver::message_box_text(box), expected);
    EXPECT_FALSE(driver::wait_for_dialog(ferrix, 0)) << "the dialog came before the box";
    ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  }
  ASSERT_TRUE(driver::wait_for_dialog(ferrix)) << job.name;
  dialog = ferrix.dialog;
  const shown_job loaded{{"C:\\s"}, "C:\\d", true, false, 62383, speed_text(512), true};
  const shown_job defaults{{}, "", false, false, 92341, speed_text(10240), false};
  EXPECT_TRUE(shows(loads ? loaded : defaults)) << job.name;
  EXPECT_EQ(proposed_by_save(), loads ? job.file : "") << job.name;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, JobFileArgument,
    testing::Values(
        // A second word would be a second job file: an option follows instead.
        argument_case{"quoted GBK path, then an option", "\x87\x5C.frx", "\"%s\" /Log nul",
                      false, job_text},
        argument_case{"bare name in the current folder", "job.frx", "job.frx", true, job_text},
        argument_case{"missing", "missing.frx", "\"%s\"", false, ""},
        argument_case{"a folder", "folder.frx", "\"%s\"", false, nullptr}),
    case_name<argument_case>);
}  // namespace
