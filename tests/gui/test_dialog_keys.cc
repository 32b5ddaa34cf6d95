// Keys and commands that must not close or change the dialog, and closing it.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/ferrix_fixture.h"

namespace {

class DialogKeys : public FerrixFixture {
 protected:
  // Queues a message behind the given ones and waits until the dialog has reached it: the
  // overwrite box flips, so everything queued before has been handled.
  void wait_until_handled() {
    const bool checked = driver::is_checked(dialog, IDC_OVERWRITE_ALL);
    driver::post_click(dialog, IDC_OVERWRITE_ALL);
    ASSERT_TRUE(driver::wait_until(
        [&] { return driver::is_checked(dialog, IDC_OVERWRITE_ALL) != checked; }));
  }

  void press_key(int control_id, WPARAM key) {
    HWND target = driver::control(dialog, control_id);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
  }

  testing::AssertionResult still_open() {
    if (driver::has_exited(ferrix) || !IsWindowVisible(dialog))
      return testing::AssertionFailure() << "the dialog went away";
    return testing::AssertionSuccess();
  }
};

TEST_F(DialogKeys, EscapeAndEnterDoNothing) {
  for (int focus : {IDC_SOURCE_LIST, IDC_DEST_EDIT, IDC_OVERWRITE_ALL})
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
      press_key(focus, key);
      ASSERT_NO_FATAL_FAILURE(wait_until_handled());
      EXPECT_TRUE(still_open()) << "key " << key << " at control " << focus;
    }
}

TEST_F(DialogKeys, OkAndCancelCommandsDoNothing) {
  for (WPARAM command : {IDOK, IDCANCEL}) {
    SendMessageA(dialog, WM_COMMAND, command, 0);
    EXPECT_TRUE(still_open()) << "command " << command;
  }
}

TEST_F(DialogKeys, WmUserWithAnotherLparamDoesNothing) {
  for (LPARAM foreign : {0, 68, 70}) SendMessageA(dialog, WM_USER, 0, foreign);
  EXPECT_TRUE(still_open());
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP));
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_PAUSE));
}

TEST_F(DialogKeys, OptionBoxesFlipWithEachClick) {
  for (int box : {IDC_OVERWRITE_ALL, IDC_DONT_NOTIFY}) {
    driver::click(dialog, box);
    EXPECT_TRUE(driver::is_checked(dialog, box)) << "box " << box;
    driver::click(dialog, box);
    EXPECT_FALSE(driver::is_checked(dialog, box)) << "box " << box;
  }
}

TEST_F(DialogKeys, ClosingTheWindowEndsTheProcessWithExitCodeOne) {
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
}

}  // namespace
