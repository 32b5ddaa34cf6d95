// 复制后校验 in the dialog's system menu, seen through the job files Save writes: it flips when
// chosen, Load sets it from the file, and it holds while a job runs.
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
  // The item chosen from the menu; returns once the dialog has handled it.
  void choose_item() { SendMessageA(dialog, WM_SYSCOMMAND, IDM_VERIFY_AFTER_COPY, 0); }
  // What Save writes for the job below, before any verify line.
  std::string saved_job() {
    return "[Ferrix]\r\nnsrc=1\r\nsrc0=" + folder_ + "\\source\r\ndest=" + folder_ +
           "\\dest\r\noverwriteall=0\r\ndontnotify=0\r\nspeed=" +
           std::to_string(slowest_position) + "\r\n";
  }
  std::string folder_;
};

TEST_F(VerifyOption, FlipsWhenChosenIsLoadedAndHoldsWhileAJobRuns) {
  folder_ = scratch("job");
  ASSERT_TRUE(file_tree::make_folder(folder_ + "\\source"));
  ASSERT_TRUE(file_tree::make_folder(folder_ + "\\dest"));
  // Still running at the slowest speed when the test is done with it.
  ASSERT_TRUE(file_tree::write_file(folder_ + "\\source\\big.bin",
                                    file_tree::pattern_bytes(4 * 1024 * 1024, 7)));
  const std::string plain = folder_ + "\\plain.frx";
  ASSERT_TRUE(file_tree::write_file(plain, saved_job()));
  choose_item();
  ASSERT_TRUE(load_from(plain));  // the key missing: off, whatever was chosen before

  const std::string on = folder_ + "\\on.frx";
  choose_item();
  ASSERT_TRUE(save_as(on));
  EXPECT_TRUE(file_becomes(on, saved_job() + "verify=1\r\n"));

  ASSERT_TRUE(enabled_becomes(IDC_START_STOP, true));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_STOP));
  choose_item();
  const std::string during = folder_ + "\\during.frx";
  ASSERT_TRUE(save_as(during));
  EXPECT_TRUE(file_becomes(during, saved_job() + "verify=1\r\n")) << "the job took it at Start";
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_START));

  choose_item();
  ASSERT_TRUE(save_as(on));
  EXPECT_TRUE(file_becomes(on, saved_job() + "verify=0\r\n")) << "off again, over the key";
  ASSERT_TRUE(load_from(during));
  ASSERT_TRUE(save_as(plain));
  EXPECT_TRUE(file_becomes(plain, saved_job() + "verify=1\r\n")) << "Load turned it on";
}
}  // namespace
