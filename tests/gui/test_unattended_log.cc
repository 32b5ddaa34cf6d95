// The log of an unattended run: every line reaches the file as it happens (a slow job's first
// line and entries are there while it runs), Stop ends the run with exit code 2, and one job
// with each kind of entry writes exactly its lines. Without /start a bad argument is named in
// a box with the usage line, and the dialog then opens as usual. A twin of a copied file is a
// file the backup lacks. A verified run says so at its start and names a kept file whose
// contents are not its source's. Two runs at once may share one log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "res/control_ids.h"
#include "platform/testing/host_tools.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/unattended_fixture.h"

namespace {
constexpr int slowest_position = 62383;

class UnattendedLog : public UnattendedFixture {
 protected:
  std::string start_line(int source_count, const std::string& dest, bool verified = false) {
    char line[2048];
    snprintf(line, sizeof line, TEXT_LOG_START, job_path.c_str(), source_count, dest.c_str());
    return std::string(line) + (verified ? TEXT_LOG_VERIFY_ON : "");
  }
  static std::string end_line(const std::string& shown) {
    char line[512];
    snprintf(line, sizeof line, TEXT_LOG_END, shown.c_str(), "*");
    return line;
  }
};

TEST_F(UnattendedLog, HoldsEachLineAsItHappensAndStopEndsWithTwo) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 100));
  ASSERT_NO_FATAL_FAILURE(make_file(dest + "\\a.bin", 10));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\b.bin", 100));
  ASSERT_NO_FATAL_FAILURE(lock_file(source + "\\b.bin"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\c.bin", 64 * 1024));  // minutes at 512 B/s
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest, slowest_position));
  ASSERT_TRUE(start("{job} /start /log {log}"));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  ASSERT_TRUE(text_becomes(IDC_CURRENT_FILE, dest + "\\c.bin"));

  const std::vector<std::string> so_far = {
      start_line(1, dest), entry(TEXT_LOG_KEPT_EXISTING, dest + "\\a.bin"),
      entry(TEXT_LOG_READ_ERROR, source + "\\b.bin")};
  EXPECT_TRUE(log_becomes(so_far));
  EXPECT_TRUE(driver::is_checked(dialog, IDC_DONT_NOTIFY));
  EXPECT_FALSE(driver::is_enabled(dialog, IDC_DONT_NOTIFY));
  EXPECT_TRUE(only_the_dialog_shows());

  driver::click(dialog, IDC_START_STOP);
  EXPECT_EQ(exit_code_without_boxes(), 2);
  std::vector<std::string> all = so_far;
  all.push_back(end_line(TEXT_JOB_STOPPED));
  EXPECT_TRUE(log_becomes(all));
  EXPECT_EQ(file_tree::files_below(dest), std::vector<std::string>{"a.bin"});
}

// Each kind a job without faults of the machine can meet: a source folder that is missing, a
// file kept because it exists, one that cannot be read, one that cannot be written (a folder
// stands in its place), and one copied, which has no entry.
TEST_F(UnattendedLog, NamesEveryFileNotCopiedAndWhy) {
  const std::string source = folder("source");
  const std::string missing = root + "\\missing";
  const std::string dest = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 100));
  ASSERT_NO_FATAL_FAILURE(make_file(dest + "\\a.bin", 10));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\b.bin", 100));
  ASSERT_NO_FATAL_FAILURE(lock_file(source + "\\b.bin"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\c.bin", 100));
  folder("dest\\c.bin");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\d\x81\x5C.bin", 100));
  ASSERT_NO_FATAL_FAILURE(write_job({source, missing}, dest));
  ASSERT_TRUE(start("{job} /start /log {log}"));

  EXPECT_EQ(exit_code_without_boxes(), 1);
  char counts[256];
  snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 1, 3);
  EXPECT_TRUE(log_becomes({start_line(2, dest), entry(TEXT_LOG_FOLDER_NOT_LISTED, missing),
                           entry(TEXT_LOG_KEPT_EXISTING, dest + "\\a.bin"),
                           entry(TEXT_LOG_READ_ERROR, source + "\\b.bin"),
                           entry(TEXT_LOG_WRITE_ERROR, dest + "\\c.bin"), end_line(counts)}));
}

// Twins made on the Unix side, the destination empty: the later twin is in no file of the
// backup, so its entry names the source and the run ends with 1, not as a kept file would.
TEST_F(UnattendedLog, ATwinNotCopiedIsNamedByItsSourceAndEndsWithOne) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  const std::string unix_source = host_unix_path(source);
  if (unix_source.empty()) GTEST_SKIP() << "no Unix side to make twins on";
  ASSERT_TRUE(host_run_shell_script("cd " + host_shell_word(unix_source) +
                                    "\nprintf first > Report.txt\nprintf second > report.txt"));
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  ASSERT_TRUE(start("{job} /start /log {log}"));

  EXPECT_EQ(exit_code_without_boxes(), 1);
  char counts[256];
  snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 1, 0);
  EXPECT_TRUE(log_becomes({start_line(1, dest),
                           entry(TEXT_LOG_TWIN_OF_COPIED, source + "\\report.txt"),
                           end_line(counts)}));
  EXPECT_EQ(file_tree::files_below(dest), std::vector<std::string>{"Report.txt"});
  EXPECT_TRUE(host_run_shell_script("rm -rf " + host_shell_word(unix_source)));
}

// The kept file has its source's size and other bytes: only its contents tell them apart.
// 覆盖现有文件 is off, so it stays as it was, and the run ends with 1. A kept file that another
// program holds cannot be compared: a read error. The job file says verify=0: /verify turns it
// on all the same.
TEST_F(UnattendedLog, AVerifiedRunNamesAKeptFileThatDiffersAndEndsWithOne) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  const std::string kept = file_tree::pattern_bytes(3000, 2);
  ASSERT_TRUE(file_tree::write_file(source + "\\a.bin", file_tree::pattern_bytes(3000, 1)));
  ASSERT_TRUE(file_tree::write_file(dest + "\\a.bin", kept));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\b.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\c.bin", 100));
  ASSERT_NO_FATAL_FAILURE(make_file(dest + "\\c.bin", 100));
  ASSERT_NO_FATAL_FAILURE(lock_file(dest + "\\c.bin"));  // kept, and cannot be compared
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  std::string job;
  ASSERT_TRUE(file_tree::read_file(job_path, job));
  ASSERT_TRUE(file_tree::write_file(job_path, job + "verify=0\r\n"));  // /verify overrides it
  ASSERT_TRUE(start("{job} /start /verify /log {log}"));

  EXPECT_EQ(exit_code_without_boxes(), 1);
  char counts[256];
  snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 1, 1);
  EXPECT_TRUE(log_becomes({start_line(1, dest, true),
                           entry(TEXT_LOG_KEPT_DIFFERS, dest + "\\a.bin"),
                           entry(TEXT_LOG_READ_ERROR, dest + "\\c.bin"), end_line(counts)}));
  std::string bytes;
  EXPECT_TRUE(file_tree::read_file(dest + "\\a.bin", bytes) && bytes == kept) << "not kept";
  EXPECT_EQ(file_tree::files_below(dest),
            (std::vector<std::string>{"a.bin", "b.bin", "c.bin"}));
}

// Two runs of one job at once, appending to one log: 600 kept files each, so that their
// lines come as fast as a run can write them. Every line of both is there, each whole.
TEST_F(UnattendedLog, TwoRunsAtOnceKeepEveryLineOfOneLog) {
  constexpr int file_count = 600;
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  const std::string unix_source = host_unix_path(source);
  if (unix_source.empty()) GTEST_SKIP() << "no Unix side to make the files on";
  ASSERT_TRUE(host_run_shell_script(
      "cd " + host_shell_word(unix_source) + "\nfor i in $(seq " + std::to_string(file_count) +
      "); do printf x > f$i.bin; done\ncp *.bin " + host_shell_word(host_unix_path(dest))));
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  driver::ferrix_process second;
  ASSERT_TRUE(start("{job} /start /log {log}"));
  ASSERT_TRUE(
      driver::start_ferrix(second, "\"" + job_path + "\" /start /log \"" + log_path + "\""));

  EXPECT_EQ(exit_code_without_boxes(), 0);
  EXPECT_EQ(driver::wait_for_exit(second), 0);
  std::vector<std::string> expected;
  for (int run = 0; run < 2; ++run) {
    expected.push_back(start_line(1, dest));
    for (int i = 1; i <= file_count; ++i)
      expected.push_back(entry(TEXT_LOG_KEPT_EXISTING, dest + "\\f" + std::to_string(i) + ".bin"));
    char counts[256];
    snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 0, file_count, 0);
    expected.push_back(end_line(counts));
  }
  std::vector<std::string> lines = log_lines();
  EXPECT_TRUE(log_lines_valid);
  EXPECT_EQ(lines.size(), expected.size());
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_TRUE(lines == expected) << "lines lost or mixed";
}

TEST_F(UnattendedLog, WithoutStartABadArgumentIsNamedWithTheUsageLine) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(write_job({source}, folder("dest")));
  ASSERT_TRUE(start("{job} /what"));

  HWND box = driver::wait_for_window_of(ferrix, TEXT_ERROR_CAPTION);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::message_box_text(box), formatted(TEXT_BAD_ARGUMENT_BOX, "/what"));
  ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  EXPECT_EQ(driver::list_entries(dialog), std::vector<std::string>{source});
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
}

// A folder stands where the log should be: it cannot be opened for appending.
TEST_F(UnattendedLog, ALogThatCannotBeOpenedStartsNothingOrIsNamedInABox) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 100));
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  folder("run.log");

  ASSERT_TRUE(start("{job} /start /log {log}"));
  EXPECT_EQ(exit_code_without_boxes(), 3);
  EXPECT_TRUE(file_tree::files_below(dest).empty());

  ASSERT_TRUE(start("{job} /log {log}"));
  HWND box = driver::wait_for_window_of(ferrix, TEXT_ERROR_CAPTION);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::message_box_text(box), formatted(TEXT_LOG_UNOPENABLE, log_path));
  ASSERT_TRUE(driver::press_and_wait_gone(box, IDOK));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  EXPECT_EQ(driver::list_entries(dialog), std::vector<std::string>{source});
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);
}
}  // namespace
