// Hostile files handed to Load: junk, a 10 MB line, keys outside the section, values holding
// '=' and ';', a folder in the file's place. The dialog takes what it can, refuses the rest
// with its notices, stays responsive, and a job can still be run from it afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"

namespace {
constexpr int slider_start = 92341;

class HostileLoad : public SettingsFixture {
 protected:
  // Writes the file, loads it, answers OK to any refusal that comes, and waits until the dialog
  // has handled it all; the refusals' texts are kept.
  testing::AssertionResult load_text(const std::string& text) {
    const std::string path = scratch("file") + "\\hostile.frx";
    if (!file_tree::write_file(path, text))
      return testing::AssertionFailure() << "cannot write " << path;
    testing::AssertionResult loaded = load_from(path);
    if (!loaded) return loaded;
    // Settled, the dialog is in a refusal's own message loop or done with the file.
    while (HWND box = driver::message_box_now(ferrix)) {
      if (!driver::wait_until([&] { return IsWindowVisible(box) != FALSE; }))
        return testing::AssertionFailure() << "a refusal never showed";
      refusals.push_back(driver::message_box_text(box));
      if (!driver::press_and_wait_gone(box, IDOK))
        return testing::AssertionFailure() << "a refusal stayed open";
      settle();
    }
    return testing::AssertionSuccess();
  }
  // The dialog still answers at once and is idle.
  void expect_responsive_and_idle() {
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, driver::patience_ms,
                                  &ignored), 0)
        << "the dialog does not answer";
    EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_START);
    EXPECT_FALSE(driver::is_enabled(dialog, IDC_PAUSE));
    EXPECT_FALSE(driver::has_exited(ferrix));
  }
  shown_job defaults() {
    return shown_job{{}, "", false, false, slider_start, speed_text(10240), false};
  }
  std::vector<std::string> refusals;
};

TEST_F(HostileLoad, BinaryJunkLoadsAsDefaults) {
  std::mt19937 random(7);
  std::string junk = "MZ";
  while (junk.size() < 64 * 1024) {
    const char byte = static_cast<char>(random() & 0xFF);
    if (byte != '[') junk += byte;
  }
  ASSERT_TRUE(load_text(junk));
  EXPECT_TRUE(shows(defaults()));
  EXPECT_TRUE(refusals.empty()) << refusals[0];
  expect_responsive_and_idle();
}

TEST_F(HostileLoad, ATenMegabyteLineIsRefusedAndTheRestLoads) {
  const std::string line(10 * 1024 * 1024, 'x');
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=2\r\nsrc0=C:\\" + line + "\r\nsrc1=C:\\fits\r\n"
                        "dest=C:\\e\r\n"));
  EXPECT_TRUE(shows(shown_job{{"C:\\fits"}, "C:\\e", false, false, slider_start,
                              speed_text(10240), true}));
  for (const std::string& text : refusals)  // whatever part of the line the reader kept
    EXPECT_EQ(text.rfind(std::string(TEXT_SOURCE_TOO_LONG).substr(0, 20), 0), 0u) << text;
  expect_responsive_and_idle();
}

TEST_F(HostileLoad, KeysWithoutTheSectionLoadAsDefaults) {
  ASSERT_TRUE(load_text("nsrc=1\r\nsrc0=C:\\a\r\ndest=C:\\e\r\noverwriteall=1\r\n"));
  EXPECT_TRUE(shows(defaults()));
  expect_responsive_and_idle();
}

TEST_F(HostileLoad, EqualsAndSemicolonsStayInsideValues) {
  ASSERT_TRUE(
      load_text("[Ferrix]\r\nnsrc=2\r\nsrc0=C:\\a=b;c\r\nsrc1=;C:\\x\r\ndest=C:\\x;y=z\r\n"));
  EXPECT_TRUE(shows(shown_job{{"C:\\a=b;c", ";C:\\x"}, "C:\\x;y=z", false, false, slider_start,
                              speed_text(10240), true}));
  EXPECT_TRUE(refusals.empty()) << refusals[0];
  expect_responsive_and_idle();
}

// Typed into the open dialog, a folder's name opens the folder: nothing is loaded, and the
// job shown stays as it was.
TEST_F(HostileLoad, AFolderInTheFilesPlaceLoadsNothing) {
  ASSERT_TRUE(load_text("[Ferrix]\r\nnsrc=1\r\nsrc0=C:\\kept\r\ndest=C:\\e\r\n"));
  const shown_job before = shown();
  const std::string folder_path = scratch("folder") + "\\looks-like.frx";
  ASSERT_TRUE(file_tree::make_folder(folder_path));
  HWND file_dialog = open_file_dialog(IDC_LOAD);
  ASSERT_NE(file_dialog, nullptr);
  HWND edit = driver::file_name_edit(file_dialog);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder_path.c_str()));
  PostMessageA(GetDlgItem(file_dialog, IDOK), BM_CLICK, 0, 0);
  // Into the folder (the field cleared) or gone: either way it has taken the OK.
  ASSERT_TRUE(driver::wait_until([&] {
    return !IsWindow(file_dialog) || !IsWindowVisible(file_dialog) ||
           driver::text_of(edit) != folder_path;
  }));
  settle();
  if (IsWindow(file_dialog) && IsWindowVisible(file_dialog)) {
    ASSERT_TRUE(cancel(file_dialog));
  }
  EXPECT_TRUE(shows(before));
  expect_responsive_and_idle();
}

}  // namespace
