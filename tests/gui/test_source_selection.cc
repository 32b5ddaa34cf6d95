// Sources and destination as a user picks them: the folder browser, the list's buttons, and
// the two rules that enable Start and Remove.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/ferrix_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
using entries = std::vector<std::string>;

class SourceSelection : public FerrixFixture {
 protected:
  void SetUp() override {
    FerrixFixture::SetUp();
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    root = file_tree::make_scratch_folder(std::string("selection-") + test->name());
  }
  void TearDown() override {
    FerrixFixture::TearDown();
    file_tree::remove_tree(root);
  }

  std::string folder(const std::string& name) {
    const std::string path = root + "\\" + name;
    EXPECT_TRUE(file_tree::make_folder(path)) << path;
    return path;
  }

  static bool ok_enabled(HWND browser) {
    return IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE;
  }

  // Opens the browser and confirms whatever it preselected. The browser is gone on return, but
  // the dialog may still be taking its answer: callers wait for what they expect.
  testing::AssertionResult confirm_preselection(int button_id) {
    HWND browser = open_browser(button_id);
    if (browser == nullptr) return testing::AssertionFailure() << "no browser";
    if (!driver::wait_until([&] { return ok_enabled(browser); }))
      return testing::AssertionFailure() << "nothing preselected";
    if (!driver::press_and_wait_gone(browser, IDOK))
      return testing::AssertionFailure() << "browser stayed";
    return testing::AssertionSuccess();
  }

  // A message box of the dialog's, its caption and text; it is closed with OK.
  testing::AssertionResult refusal_shown(const std::string& text) {
    HWND box = driver::wait_for_message_box(ferrix);
    if (box == nullptr) return testing::AssertionFailure() << "no message box";
    const std::string caption = driver::text_of(box), shown = driver::message_box_text(box);
    driver::press_and_wait_gone(box, IDOK);
    if (caption != TEXT_ERROR_CAPTION)
      return testing::AssertionFailure() << "caption \"" << caption << "\"";
    if (shown != text) return testing::AssertionFailure() << "text \"" << shown << "\"";
    return testing::AssertionSuccess();
  }

  // Waits until the clock has entered its next 2-second step, the unit of the folder times in
  // the browser's item IDs.
  static bool next_two_second_step() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return driver::wait_until([&, step = now.wSecond / 2] {
      SYSTEMTIME later;
      GetLocalTime(&later);
      return later.wSecond / 2 != step;
    });
  }

  std::string root;
};

TEST_F(SourceSelection, StartNeedsASourceAndADestination) {
  const std::string source = folder("source"), dest = folder("dest");
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP)) << "nothing chosen yet";

  ASSERT_TRUE(add_source_folder(source));
  EXPECT_EQ(driver::list_entries(dialog), entries{source});
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP)) << "no destination yet";
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_REMOVE)) << "nothing selected";

  ASSERT_TRUE(choose_destination_folder(dest));
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_START_STOP));
}

TEST_F(SourceSelection, DestinationAloneLeavesStartDisabled) {
  ASSERT_TRUE(choose_destination_folder(folder("dest")));
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP));
}

TEST_F(SourceSelection, BrowserHasItsCaptionAndPromptAndStartsWithNothingChosen) {
  HWND browser = open_browser(IDC_ADD);  // found by its caption
  ASSERT_NE(browser, nullptr) << "no browser captioned \"" << TEXT_BROWSER_CAPTION << "\"";
  EXPECT_TRUE(driver::has_child_with_text(browser, TEXT_PICK_SOURCE));
  EXPECT_FALSE(ok_enabled(browser)) << "no folder remembered yet";
  ASSERT_TRUE(driver::press_and_wait_gone(browser, IDCANCEL));
  EXPECT_TRUE(driver::list_entries(dialog).empty());

  browser = open_browser(IDC_BROWSE);
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(driver::has_child_with_text(browser, TEXT_PICK_DEST));
  EXPECT_FALSE(ok_enabled(browser));
  ASSERT_TRUE(driver::press_and_wait_gone(browser, IDCANCEL));
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), "");
}

TEST_F(SourceSelection, EachBrowserPreselectsTheFolderLastConfirmedThroughIt) {
  const std::string source = folder("source"), dest = folder("dest");
  ASSERT_TRUE(add_source_folder(source));
  ASSERT_TRUE(choose_destination_folder(dest));

  ASSERT_TRUE(confirm_preselection(IDC_ADD));
  ASSERT_TRUE(driver::wait_until([&] { return driver::list_entries(dialog).size() == 2; }));
  EXPECT_EQ(driver::list_entries(dialog), (entries{source, source}))
      << "the same folder twice, and not the destination";

  ASSERT_TRUE(confirm_preselection(IDC_BROWSE));
  EXPECT_TRUE(
      driver::wait_until([&] { return driver::control_text(dialog, IDC_DEST_EDIT) == dest; }))
      << driver::control_text(dialog, IDC_DEST_EDIT);
}

// Wine's browser holds item IDs with the folders' access times, and folders made beside the
// remembered one change what its next reading of them gives.
TEST_F(SourceSelection, FoldersMadeBesideTheRememberedOneChangeNeitherPreselectionNorPicking) {
  const std::string source = folder("source");
  ASSERT_TRUE(add_source_folder(source));

  // Their parent changed since a browser last read it, and is read again in a later step.
  folder("beside");
  ASSERT_TRUE(next_two_second_step());
  ASSERT_TRUE(confirm_preselection(IDC_ADD));
  ASSERT_TRUE(driver::wait_until([&] { return driver::list_entries(dialog).size() == 2; }));
  EXPECT_EQ(driver::list_entries(dialog), (entries{source, source})) << "not the desktop";

  // A folder no browser has read yet, first read by this one's preselection of its neighbour.
  const std::string later = folder("later");
  ASSERT_TRUE(next_two_second_step());
  ASSERT_TRUE(add_source_folder(later));
  EXPECT_EQ(driver::list_entries(dialog), (entries{source, source, later}));
}

TEST_F(SourceSelection, CancellingTheBrowserChangesNothing) {
  const std::string source = folder("source"), dest = folder("dest"), other = folder("other");
  ASSERT_TRUE(add_source_folder(source));
  ASSERT_TRUE(choose_destination_folder(dest));

  for (int button : {IDC_ADD, IDC_BROWSE}) {
    HWND browser = open_browser(button);
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(driver::select_folder_in_browser(ferrix, browser, other));
    ASSERT_TRUE(driver::press_and_wait_gone(browser, IDCANCEL));
  }
  EXPECT_EQ(driver::list_entries(dialog), entries{source});
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), dest);

  // The remembered folders are still the confirmed ones.
  ASSERT_TRUE(confirm_preselection(IDC_ADD));
  ASSERT_TRUE(driver::wait_until([&] { return driver::list_entries(dialog).size() == 2; }));
  EXPECT_EQ(driver::list_entries(dialog), (entries{source, source}));
}

TEST_F(SourceSelection, EntriesAreAppendedAndRemoveTakesTheSelectedOne) {
  const std::string b = folder("b"), a = folder("a"), c = folder("c");
  for (const std::string& source : {b, a, c}) ASSERT_TRUE(add_source_folder(source));
  ASSERT_TRUE(choose_destination_folder(folder("dest")));
  EXPECT_EQ(driver::list_entries(dialog), (entries{b, a, c})) << "in the order added";
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_REMOVE));

  driver::select_list_entry(dialog, 1);
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_REMOVE)) << "an entry is selected";
  driver::click(dialog, IDC_REMOVE);
  EXPECT_EQ(driver::list_entries(dialog), (entries{b, c}));
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_REMOVE)) << "no selection left";
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_START_STOP));

  driver::select_list_entry(dialog, 1);
  driver::click(dialog, IDC_REMOVE);
  driver::select_list_entry(dialog, 0);
  driver::click(dialog, IDC_REMOVE);
  EXPECT_TRUE(driver::list_entries(dialog).empty());
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_START_STOP)) << "the last entry went";
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_REMOVE));
}

TEST_F(SourceSelection, ClearAllEmptiesTheListAndNothingElse) {
  for (const char* name : {"one", "two"}) ASSERT_TRUE(add_source_folder(folder(name)));
  const std::string dest = folder("dest");
  ASSERT_TRUE(choose_destination_folder(dest));
  driver::select_list_entry(dialog, 0);
  ASSERT_TRUE(driver::is_enabled(dialog, IDC_REMOVE));

  driver::click(dialog, IDC_CLEAR_ALL);
  EXPECT_TRUE(driver::list_entries(dialog).empty());
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_START_STOP)) << "the rule is not run by Clear all";
  EXPECT_TRUE(driver::is_enabled(dialog, IDC_REMOVE)) << "the rule is not run by Clear all";
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), dest);

  driver::click(dialog, IDC_REMOVE);  // over the empty list: nothing happens
  EXPECT_TRUE(driver::list_entries(dialog).empty());

  // The next run of the Start rule, once the dialog has taken the browser's answer.
  ASSERT_TRUE(confirm_preselection(IDC_BROWSE));
  EXPECT_TRUE(driver::wait_until([&] { return !driver::is_enabled(dialog, IDC_START_STOP); }));
}

TEST_F(SourceSelection, AFiveHundredThirteenthSourceIsRefusedWithItsPath) {
  // The first 512 go straight into the list: the browser would take minutes for them.
  for (int i = 0; i < 512; ++i) {
    char filler[64];
    snprintf(filler, sizeof filler, "C:\\filler\\%03d", i);
    SendDlgItemMessageA(dialog, IDC_SOURCE_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(filler));
  }
  const std::string source = folder("one too many");
  driver::post_click(dialog, IDC_ADD);
  HWND browser = driver::wait_for_window_of(ferrix, TEXT_BROWSER_CAPTION);
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(driver::select_folder_in_browser(ferrix, browser, source));
  ASSERT_TRUE(driver::wait_until([&] { return ok_enabled(browser); }));
  ASSERT_TRUE(driver::press_and_wait_gone(browser, IDOK));

  char expected[512];
  snprintf(expected, sizeof expected, TEXT_SOURCE_LIST_FULL, source.c_str());
  EXPECT_TRUE(refusal_shown(expected));
  const entries shown = driver::list_entries(dialog);
  EXPECT_EQ(shown.size(), 512u);
  EXPECT_EQ(shown.back(), "C:\\filler\\511");
}

TEST_F(SourceSelection, SourcePathsUpTo255CharactersAreTakenLongerOnesRefused) {
  // Folders whose whole paths are 255 and 256 characters long.
  const std::string base = root + "\\";
  const std::string fits = folder(std::string(255 - base.size(), 'f'));
  const std::string too_long = folder(std::string(256 - base.size(), 'g'));
  ASSERT_EQ(fits.size(), 255u);
  ASSERT_EQ(too_long.size(), 256u);

  ASSERT_TRUE(add_source_folder(fits));
  EXPECT_EQ(driver::list_entries(dialog), entries{fits});

  HWND browser = open_browser(IDC_ADD);
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(driver::select_folder_in_browser(ferrix, browser, too_long));
  ASSERT_TRUE(driver::wait_until([&] {
    return ok_enabled(browser) && driver::text_of(browser) == TEXT_BROWSER_CAPTION;
  }));
  ASSERT_TRUE(driver::press_and_wait_gone(browser, IDOK));
  char expected[512];
  snprintf(expected, sizeof expected, TEXT_SOURCE_TOO_LONG, too_long.c_str());
  EXPECT_TRUE(refusal_shown(expected));
  EXPECT_EQ(driver::list_entries(dialog), entries{fits}) << "nothing cut, nothing added";
}

}  // namespace
