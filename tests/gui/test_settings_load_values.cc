// Loading files that Save would not write: values out of range or other than 0 and 1, a file
// without the job's section, counts and paths that do not fit the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"
#include "tests/support/case_name.h"

namespace {
constexpr int slider_min = 62383;
constexpr int slider_max = 161181;
constexpr int slider_start = 92341;

class LoadValues : public SettingsFixture {
 protected:
  // Writes the file and loads it through the open dialog.
  testing::AssertionResult load_text(const std::string& text) {
    const std::string path = scratch("file") + "\\job.frx";
    if (!file_tree::write_file(path, text))
      return testing::AssertionFailure() << "cannot write " << path;
    return load_from(path);
  }
};

struct speed_case {
  const char* name;
  const char* speed_line;
  int slider;
  int limit;  // 0: unlimited, the picture shown
};

class LoadedSpeed : public LoadValues, public testing::WithParamInterface<speed_case> {};

TEST_P(LoadedSpeed, TheSliderHoldsItInRangeAndTheLabelFollows) {
  // Away from every expected position first, so that each case shows a change.
  driver::set_slider(dialog, 120000);
  ASSERT_TRUE(driver::wait_until([&] { return shown().speed_text != speed_text(10240); }));
  ASSERT_TRUE(load_text(std::string("[Ferrix]\r\nnsrc=0\r\n") + GetParam().speed_line + "\r\n"));
  EXPECT_TRUE(
      shows(shown_job{{},
                      "",
                      false,
                      false,
                      GetParam().slider,
                      GetParam().limit ? speed_text(GetParam().limit) : "(unlimited picture)",
                      false}))
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, LoadedSpeed,
    testing::Values(speed_case{"start position", "speed=92341", slider_start, 10240},
                    speed_case{"missing", "other=1", slider_start, 10240},
                    speed_case{"slider minimum", "speed=62383", slider_min, 512},
                    speed_case{"below the range", "speed=100", slider_min, 512},
                    speed_case{"negative", "speed=-5", slider_min, 512},
                    speed_case{"not a number", "speed=fast", slider_min, 512},
                    speed_case{"slider maximum", "speed=161181", slider_max, 0},
                    speed_case{"above the range", "speed=999999999", slider_max, 0}),
    case_name<speed_case>);

struct options_case {
  const char* name;
  const char* lines;
  bool overwrite_all;
  bool dont_notify;
};

class LoadedOptions : public LoadValues, public testing::WithParamInterface<options_case> {};

TEST_P(LoadedOptions, CheckTheBoxesOnlyForExactlyOne) {
  // Each box starts in the state opposite to the one expected.
  if (!GetParam().overwrite_all) driver::click(dialog, IDC_OVERWRITE_ALL);
  if (!GetParam().dont_notify) driver::click(dialog, IDC_DONT_NOTIFY);
  ASSERT_TRUE(load_text(std::string("[Ferrix]\r\n") + GetParam().lines));
  EXPECT_TRUE(driver::wait_until([&] {
    return driver::is_checked(dialog, IDC_OVERWRITE_ALL) == GetParam().overwrite_all &&
           driver::is_checked(dialog, IDC_DONT_NOTIFY) == GetParam().dont_notify;
  })) << GetParam().name << ": boxes " << driver::is_checked(dialog, IDC_OVERWRITE_ALL)
      << driver::is_checked(dialog, IDC_DONT_NOTIFY);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoadedOptions,
    testing::Values(options_case{"both one", "overwriteall=1\r\ndontnotify=1\r\n", true, true},
                    options_case{"both zero", "overwriteall=0\r\ndontnotify=0\r\n", false, false},
                    options_case{"two and minus one", "overwriteall=2\r\ndontnotify=-1\r\n", false,
                                 false},
                    options_case{"blanks around one and a word",
                                 "overwriteall=  1 \r\ndontnotify=yes\r\n", true, false},
                    options_case{"missing", "nsrc=0\r\n", false, false}),
    case_name<options_case>);

TEST_F(LoadValues, AFileWithAnotherSectionOnlyLoadsTheDefaults) {
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=1\r\nsrc0=C:\\a\r\ndest=C:\\b\r\noverwriteall=1\r\n"
                        "dontnotify=1\r\nspeed=161181\r\n"));
  ASSERT_TRUE(
      shows(shown_job{{"C:\\a"}, "C:\\b", true, true, slider_max, "(unlimited picture)", true}));
  ASSERT_TRUE(load_text("[Other]\r\nnsrc=1\r\nsrc0=C:\\x\r\ndest=C:\\y\r\n"));
  EXPECT_TRUE(shows(shown_job{{}, "", false, false, slider_start, speed_text(10240), false}));
}

TEST_F(LoadValues, CountsThatDoNotMatchTheKeys) {
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=5\r\nsrc0=C:\\a\r\nsrc3=C:\\d\r\nsrc3=C:\\again\r\n"
                        "src1=C:\\twice\r\nsrc2=C:\\twice\r\nsrc5=C:\\beyond\r\ndest=C:\\e\r\n"));
  EXPECT_TRUE(shows(shown_job{{"C:\\a", "C:\\twice", "C:\\twice", "C:\\d"}, "C:\\e", false, false,
                              slider_start, speed_text(10240), true}));
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=-1\r\nsrc0=C:\\a\r\ndest=C:\\e\r\n"));
  EXPECT_TRUE(shows(shown_job{{}, "C:\\e", false, false, slider_start, speed_text(10240), false}));
}

TEST_F(LoadValues, AHugeCountLoadsAtOnce) {
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=2000000000\r\nsrc0=C:\\a\r\nsrc1999999999=C:\\z\r\n"
                        "dest=C:\\e\r\n"));
  EXPECT_TRUE(shows(shown_job{{"C:\\a", "C:\\z"}, "C:\\e", false, false, slider_start,
                              speed_text(10240), true}));
}

// A refusal names the path in a message box owned by the dialog; the load goes on after OK.
testing::AssertionResult refused_with(const driver::ferrix_process& ferrix, const char* format,
                                      const std::string& path) {
  HWND box = driver::wait_for_message_box(ferrix);
  if (box == nullptr) return testing::AssertionFailure() << "no message box";
  char expected[1024];
  snprintf(expected, sizeof expected, format, path.c_str());
  const std::string shown_text = driver::message_box_text(box);
  const std::string caption = driver::text_of(box);
  if (!driver::press_and_wait_gone(box, IDOK))
    return testing::AssertionFailure() << "the message box stayed open";
  if (shown_text != expected || caption != TEXT_ERROR_CAPTION)
    return testing::AssertionFailure() << "the box [" << caption << "] says " << shown_text
                                       << "\n  instead of " << expected;
  return testing::AssertionSuccess();
}

TEST_F(LoadValues, ATooLongSourceIsRefusedAndTheOthersLoad) {
  const std::string long_source = "C:\\" + std::string(253, 's');  // 256 characters
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=2\r\nsrc0=" + long_source +
                        "\r\nsrc1=C:\\fits\r\ndest=C:\\e\r\n"));
  EXPECT_TRUE(refused_with(ferrix, TEXT_SOURCE_TOO_LONG, long_source));
  EXPECT_TRUE(shows(shown_job{{"C:\\fits"}, "C:\\e", false, false, slider_start,
                              speed_text(10240), true}));
}

TEST_F(LoadValues, ATooLongDestinationIsRefusedNotCut) {
  const std::string long_dest = "C:\\" + std::string(257, 'd');  // 260 characters
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=1\r\nsrc0=C:\\a\r\ndest=" + long_dest + "\r\n"));
  EXPECT_TRUE(refused_with(ferrix, TEXT_DEST_TOO_LONG, long_dest));
  EXPECT_TRUE(
      shows(shown_job{{"C:\\a"}, "", false, false, slider_start, speed_text(10240), false}));
}

TEST_F(LoadValues, AFullListRefusesTheNextSourceOnceAndTheLoadGoesOn) {
  std::string text = "[Ferrix]\r\nnsrc=600\r\n";
  for (int i = 0; i < 600; ++i)
    text += "src" + std::to_string(i) + "=C:\\s" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(load_text(text + "dest=C:\\e\r\n"));
  EXPECT_TRUE(refused_with(ferrix, TEXT_SOURCE_LIST_FULL, "C:\\s512"));
  ASSERT_TRUE(
      driver::wait_until([&] { return driver::control_text(dialog, IDC_DEST_EDIT) == "C:\\e"; }));
  settle();
  EXPECT_EQ(driver::message_box_now(ferrix), nullptr) << "a second refusal";
  const shown_job job = shown();
  ASSERT_EQ(job.sources.size(), 512u);
  EXPECT_EQ(job.sources.front(), "C:\\s0");
  EXPECT_EQ(job.sources.back(), "C:\\s511");
}
}  // namespace
