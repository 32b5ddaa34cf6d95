// 复制后校验 in the dialog's system menu: a check item that flips when chosen, is saved and
// loaded with the job, and is grayed (and holds) while a job runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"

namespace {
constexpr int slowest_position = 62383;

class VerifyOption : public SettingsFixture {
 protected:
  // The item as a user sees it: "on" or "off", and ", grayed".
  std::string item() {
    const UINT state = driver::system_menu_item_state(ferrix, IDM_VERIFY_AFTER_COPY);
    if (state == driver::no_menu_item) return "missing";
    return std::string(state & MF_CHECKED ? "on" : "off") + (state & MF_GRAYED ? ", grayed" : "");
  }
  // The item chosen from the menu; returns once the dialog has handled it.
  void choose_item() { SendMessageA(dialog, WM_SYSCOMMAND, IDM_VERIFY_AFTER_COPY, 0); }

  std::string job_head(const std::string& folder) {
    return "[Ferrix]\r\nnsrc=1\r\nsrc0=" + folder + "\\source\r\ndest=" + folder + "\\dest\r\n";
  }
  // A job still running at the slowest speed when the test is done with it; its file holds
  // no verify key.
  void prepare_slow_job(const std::string& folder, const std::string& path) {
    ASSERT_TRUE(file_tree::make_folder(folder + "\\source"));
    ASSERT_TRUE(file_tree::make_folder(folder + "\\dest"));
    ASSERT_TRUE(file_tree::write_file(folder + "\\source\\big.bin",
                                      file_tree::pattern_bytes(4 * 1024 * 1024, 7)));
    ASSERT_TRUE(file_tree::write_file(
        path, job_head(folder) + "speed=" + std::to_string(slowest_position) + "\r\n"));
  }
};

TEST_F(VerifyOption, FlipsWhenChosenIsSavedAndLoadedAndHoldsWhileAJobRuns) {
  EXPECT_EQ(item(), "off") << "a new dialog";
  choose_item();
  EXPECT_EQ(item(), "on");
  choose_item();
  EXPECT_EQ(item(), "off");

  const std::string folder = scratch("job");
  const std::string prepared = folder + "\\prepared.frx";
  ASSERT_NO_FATAL_FAILURE(prepare_slow_job(folder, prepared));
  choose_item();
  ASSERT_TRUE(load_from(prepared));
  EXPECT_EQ(item(), "off") << "Load of a file without the key";

  choose_item();
  const std::string saved = folder + "\\verified.frx";
  ASSERT_TRUE(save_as(saved));
  EXPECT_TRUE(file_becomes(saved, job_head(folder) +
                                      "overwriteall=0\r\ndontnotify=0\r\nspeed=" +
                                      std::to_string(slowest_position) + "\r\nverify=1\r\n"));

  ASSERT_TRUE(enabled_becomes(IDC_START_STOP, true));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_STOP));
  EXPECT_EQ(item(), "on, grayed");
  choose_item();
  EXPECT_EQ(item(), "on, grayed") << "the job took the option at Start";
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_START));
  EXPECT_EQ(item(), "on") << "back to idle";

  ASSERT_TRUE(load_from(prepared));
  EXPECT_EQ(item(), "off");
  ASSERT_TRUE(load_from(saved));
  EXPECT_EQ(item(), "on");
}
}  // namespace
