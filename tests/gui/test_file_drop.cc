// Folders dropped from the shell: onto the source list they are added as Add adds them, onto
// the destination field the first becomes the destination; anything else changes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/job_fixture.h"
#include "tests/support/case_name.h"

namespace {
using names = std::vector<std::string>;

struct drop_case {
  const char* name;
  int target;             // the control under the drop point
  names dropped;          // in the scratch folder: folders a, b, 乗 (81 5C), long; file f.txt
  names list;             // afterwards
  const char* dest;       // afterwards
  const char* box = "";   // the one box's format, naming the first refused folder
  bool full_list = false; // 512 entries in the list before the drop
};

class FileDrop : public JobFixture, public testing::WithParamInterface<drop_case> {
 protected:
  std::string path(const std::string& name) {
    // A folder path of 256 characters: one more than a source holds.
    return root + "\\" + (name == "long" ? std::string(255 - root.size(), 'L') : name);
  }
  // Posted messages are handled in order: once a click posted after the drop has shown,
  // the drop has been handled.
  testing::AssertionResult drop_handled() {
    const bool before = driver::is_checked(dialog, IDC_DONT_NOTIFY);
    driver::post_click(dialog, IDC_DONT_NOTIFY);
    if (driver::wait_until([&] { return driver::is_checked(dialog, IDC_DONT_NOTIFY) != before; }))
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the dialog did not answer";
  }
};

TEST_P(FileDrop, TakesFoldersAsTheControlUnderTheDropWould) {
  const drop_case& drop = GetParam();
  names expected_list, dropped;
  for (const char* name : {"a", "b", "\x81\x5C", "long"})
    ASSERT_TRUE(file_tree::make_folder(path(name)));
  ASSERT_TRUE(file_tree::write_file(path("f.txt"), "a file"));
  for (int i = 0; drop.full_list && i < 512; ++i) {
    expected_list.push_back("C:\\filler\\" + std::to_string(i));
    SendDlgItemMessageA(dialog, IDC_SOURCE_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(expected_list.back().c_str()));
  }
  for (const std::string& name : drop.list) expected_list.push_back(path(name));
  for (const std::string& name : drop.dropped) dropped.push_back(path(name));
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  ASSERT_TRUE(driver::drop_files(ferrix, drop.target, dropped));
  if (drop.box[0] != '\0') {
    HWND box = driver::wait_for_message_box(ferrix);
    ASSERT_NE(box, nullptr) << drop.name;
    char expected[1024];
    snprintf(expected, sizeof expected, drop.box, path(drop.dropped[0]).c_str());
    EXPECT_EQ(driver::message_box_text(box), expected) << drop.name;
    ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  }
  ASSERT_TRUE(drop_handled());
  EXPECT_EQ(driver::message_box_now(ferrix), nullptr) << drop.name << ": another box";
  EXPECT_EQ(driver::list_entries(dialog), expected_list) << drop.name;
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), drop.dest[0] ? path(drop.dest) : "")
      << drop.name;
}

INSTANTIATE_TEST_SUITE_P(
    Drops, FileDrop,
    testing::Values(
        drop_case{"folders onto the list in order, no files", IDC_SOURCE_LIST,
                  {"b", "f.txt", "\x81\x5C", "missing", "a"}, {"b", "\x81\x5C", "a"}, ""},
        drop_case{"onto the destination the first folder", IDC_DEST_EDIT,
                  {"f.txt", "\x81\x5C", "a"}, {}, "\x81\x5C"},
        drop_case{"a file onto the destination", IDC_DEST_EDIT, {"f.txt"}, {}, ""},
        drop_case{"onto a button", IDC_ADD, {"a"}, {}, ""},
        drop_case{"a path too long for a source", IDC_SOURCE_LIST, {"long", "a"}, {"a"}, "",
                  TEXT_SOURCE_TOO_LONG},
        drop_case{"a full list refuses once", IDC_SOURCE_LIST, {"a", "b"}, {}, "",
                  TEXT_SOURCE_LIST_FULL, true}),
    case_name<drop_case>);

TEST_F(FileDrop, DuringAJobDropsChangeNothing) {
  ASSERT_NO_FATAL_FAILURE(prepare_long_job());
  ASSERT_TRUE(start_long_job());
  const std::string other = folder("other");
  ASSERT_TRUE(driver::drop_files(ferrix, IDC_SOURCE_LIST, {other}));
  ASSERT_TRUE(driver::drop_files(ferrix, IDC_DEST_EDIT, {other}));
  ASSERT_TRUE(drop_handled());
  EXPECT_EQ(driver::list_entries(dialog), names{long_job_source});
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), long_job_dest);
  driver::click(dialog, IDC_START_STOP);
}
}  // namespace
