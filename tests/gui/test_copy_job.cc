// A real job started from the dialog: two source trees copied into one destination, the
// dialog's state while the job runs and after it, and the two options at work.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/job_fixture.h"

namespace {
using file_list = std::vector<std::string>;

class CopyJob : public JobFixture {
 protected:
  // Both trees' files as the destination should hold them, relative to it, and where each
  // came from.
  file_list expected_files;
  std::map<std::string, std::string> origin;

  void fill(const std::string& source, const std::vector<std::pair<std::string, size_t>>& files) {
    for (const auto& [relative, size] : files) {
      // Folders along the way, outermost first.
      for (size_t at = relative.find('\\'); at != std::string::npos;
           at = relative.find('\\', at + 1))
        file_tree::make_folder(source + "\\" + relative.substr(0, at));
      ASSERT_NO_FATAL_FAILURE(make_file(source + "\\" + relative, size));
      expected_files.push_back(relative);
      origin[relative] = source + "\\" + relative;
    }
  }

  static std::string contents(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(file_tree::read_file(path, bytes)) << "cannot read " << path;
    return bytes;
  }

  std::string message_box_caption_and_text(HWND box) {
    return driver::text_of(box) + "|" + driver::message_box_text(box);
  }
};

TEST_F(CopyJob, CopiesTwoSourceTreesIntoTheDestinationByteForByte) {
  const std::string first = folder("first"), second = folder("second"), dest = folder("dest");
  // Sizes around the unlimited chunk (1,000,000 bytes), an empty file, deep folders, a folder
  // without files, and names whose last GBK character ends in the byte of a backslash.
  ASSERT_NO_FATAL_FAILURE(fill(first, {{"a.txt", 3000},
                                       {"B.txt", 0},
                                       {"sub\\c.bin", 1000000},
                                       {"sub\\deeper\\d.dat", 1000001},
                                       {"\xc1\xd0\x81\x5c\\e \x81\x5c.txt", 777}}));
  file_tree::make_folder(first + "\\empty");
  ASSERT_NO_FATAL_FAILURE(fill(second, {{"x.txt", 10}, {"y\\z.txt", 2048}}));
  std::sort(expected_files.begin(), expected_files.end());

  ASSERT_TRUE(add_source_folder(first));
  ASSERT_TRUE(add_source_folder(second));
  ASSERT_TRUE(choose_destination_folder(dest));
  ASSERT_TRUE(unlimited_speed());

  driver::click(dialog, IDC_START_STOP);
  // Start has done its steps by the time the click returns.
  EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP);
  for (int locked : {IDC_ADD, IDC_REMOVE, IDC_LOAD, IDC_BROWSE, IDC_CLEAR_ALL})
    EXPECT_FALSE(driver::is_enabled(dialog, locked)) << "control " << locked;

  ASSERT_TRUE(job_finished());
  EXPECT_EQ(driver::progress_position(dialog, IDC_FILE_PROGRESS), 0);
  EXPECT_EQ(driver::progress_position(dialog, IDC_ALL_PROGRESS), 0);
  // Files go in ascending order of their paths; the second source's y\z.txt is the last.
  EXPECT_EQ(driver::control_text(dialog, IDC_CURRENT_FILE), dest + "\\y\\z.txt");
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_PAUSE));
  for (int unlocked : {IDC_ADD, IDC_REMOVE, IDC_LOAD, IDC_BROWSE, IDC_CLEAR_ALL})
    EXPECT_TRUE(driver::is_enabled(dialog, unlocked)) << "control " << unlocked;
  EXPECT_TRUE(worker_gone());

  ASSERT_EQ(file_tree::files_below(dest), expected_files);
  for (const std::string& relative : expected_files)
    EXPECT_TRUE(contents(dest + "\\" + relative) == contents(origin[relative]))
        << relative << " differs";
}

TEST_F(CopyJob, AJobOverAnEmptiedListFinishesAtOnce) {
  const std::string source = folder("source"), dest = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\never.txt", 10));
  ASSERT_TRUE(add_source_folder(source));
  ASSERT_TRUE(choose_destination_folder(dest));
  driver::click(dialog, IDC_CLEAR_ALL);  // Start stays enabled over the empty list

  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(job_finished());
  EXPECT_TRUE(file_tree::files_below(dest).empty());
  // Once the worker has gone the Start rule runs again, over an empty list.
  ASSERT_TRUE(add_source_folder(source));
  EXPECT_TRUE(worker_gone());
}

TEST_F(CopyJob, AnExistingFileIsKeptAndNamedUnlessOverwriteIsChecked) {
  const std::string source = folder("source"), dest = folder("dest");
  ASSERT_TRUE(file_tree::write_file(source + "\\a.txt", "new contents"));
  ASSERT_TRUE(file_tree::write_file(dest + "\\a.txt", "old"));
  ASSERT_TRUE(add_source_folder(source));
  ASSERT_TRUE(choose_destination_folder(dest));
  ASSERT_TRUE(unlimited_speed());

  // Neither box checked: the file stays, and a notice names it.
  driver::click(dialog, IDC_START_STOP);
  HWND box = driver::wait_for_message_box(ferrix);
  ASSERT_NE(box, nullptr) << "no notice for the existing file";
  char notice[512];
  snprintf(notice, sizeof notice, TEXT_WRITE_ERROR, (dest + "\\a.txt").c_str());
  EXPECT_EQ(message_box_caption_and_text(box), std::string(TEXT_FILE_ACCESS_CAPTION) + "|" + notice);
  ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  ASSERT_TRUE(job_finished(counts_line(0, 1, 0))) << "the end line says a file was skipped";
  EXPECT_EQ(contents(dest + "\\a.txt"), "old");
  ASSERT_TRUE(worker_gone());

  // "No error notices": the file stays, silently but counted. A job that finishes shows no box
  // held it.
  driver::click(dialog, IDC_DONT_NOTIFY);
  ASSERT_TRUE(driver::is_checked(dialog, IDC_DONT_NOTIFY));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(job_finished(counts_line(0, 1, 0)));
  EXPECT_EQ(contents(dest + "\\a.txt"), "old");
  ASSERT_TRUE(worker_gone());

  // "Overwrite": the file is replaced.
  driver::click(dialog, IDC_OVERWRITE_ALL);
  ASSERT_TRUE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(job_finished());
  EXPECT_EQ(contents(dest + "\\a.txt"), "new contents");
  EXPECT_EQ(file_tree::files_below(dest), file_list{"a.txt"});
}

}  // namespace
