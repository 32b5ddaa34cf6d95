// Files and folders the user may not read or write, made so with the Unix permission bits. They
// bind only for a user who is not root: scripts/test, run as root, runs these cases again as an
// unprivileged user. What cannot be read or written is skipped with its notice and counted as
// an error on the end line; nothing is lost.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class PermissionFaults : public FaultFixture {
 protected:
  void SetUp() override {
    FaultFixture::SetUp();
    if (HasFatalFailure()) return;
    // Whether the bits bind for this user: a file without them must not open.
    const std::string probe = root + "\\probe.bin";
    ASSERT_TRUE(file_tree::write_file(probe, "probe"));
    if (!host_set_permissions(probe, 0000)) GTEST_SKIP() << "no Unix permission bits here";
    std::string bytes;
    const bool binding = !file_tree::read_file(probe, bytes);
    ASSERT_TRUE(host_set_permissions(probe, 0644));
    ASSERT_TRUE(DeleteFileA(probe.c_str()));
    if (!binding)
      GTEST_SKIP() << "permission bits do not bind for this user (root reads everything); "
                      "scripts/test runs these cases as an unprivileged user";
  }

  void TearDown() override {
    restore_permissions();
    FaultFixture::TearDown();
  }

  // Takes permissions away from path now; restore_permissions gives them back.
  void deny(const std::string& path, unsigned mode, unsigned usual_mode) {
    ASSERT_TRUE(host_set_permissions(path, mode)) << path;
    denied_.emplace_back(path, usual_mode);
  }

  // Before the invariant, which reads every file in the scratch folder.
  void restore_permissions() {
    for (const auto& [path, mode] : denied_) EXPECT_TRUE(host_set_permissions(path, mode)) << path;
    denied_.clear();
  }

  std::string end_line() { return driver::control_text(dialog, IDC_ESTIMATE_LINE); }

 private:
  std::vector<std::pair<std::string, unsigned>> denied_;
};

TEST_F(PermissionFaults, UnreadableSourceFileIsSkippedAndTheOthersCopied) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\secret.bin", 6000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\z.bin", 8000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_NO_FATAL_FAILURE(deny(source + "\\secret.bin", 0000, 0644));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, source + "\\secret.bin")});
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "z.bin"}));
  EXPECT_EQ(end_line(), counts_line(2, 0, 1));
  restore_permissions();
  check_invariant();
}

TEST_F(PermissionFaults, UnlistableSourceFolderIsOneErrorAndTheOthersCopied) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  const std::string locked = folder("source\\locked");
  ASSERT_NO_FATAL_FAILURE(make_file(locked + "\\inside.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(locked + "\\inside2.bin", 5500));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\z.bin", 8000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_NO_FATAL_FAILURE(deny(locked, 0000, 0755));

  ASSERT_TRUE(run_job_to_end());

  // The folder itself is named, once, whatever it holds.
  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, locked)});
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "z.bin"}));
  EXPECT_EQ(end_line(), counts_line(2, 0, 1));
  restore_permissions();
  check_invariant();
}

TEST_F(PermissionFaults, ReadOnlyDestinationFileStaysWithANotice) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\ro.bin", 6000));
  const std::string target = folder("dest");
  const std::string read_only = target + "\\ro.bin";
  ASSERT_TRUE(file_tree::write_file(read_only, "the old contents"));
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_NO_FATAL_FAILURE(deny(read_only, 0444, 0644));
  driver::click(dialog, IDC_OVERWRITE_ALL);
  ASSERT_TRUE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));

  ASSERT_TRUE(run_job_to_end());

  std::string now;
  ASSERT_TRUE(file_tree::read_file(read_only, now)) << "the read-only file is gone";
  EXPECT_TRUE(now == "the old contents") << "replaced by " << now.size() << " bytes";
  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, read_only)});
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "ro.bin"}));
  EXPECT_EQ(end_line(), counts_line(1, 0, 1));
  placed.push_back("ro.bin");  // the old file, checked above
  restore_permissions();
  check_invariant();
}

TEST_F(PermissionFaults, UnwritableDestinationFolderFailsEveryFile) {
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 4000));
  ASSERT_TRUE(file_tree::make_folder(source + "\\sub"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\sub\\b.bin", 6000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_NO_FATAL_FAILURE(deny(target, 0555, 0755));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, (std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\a.bin"),
                                               notice(TEXT_WRITE_ERROR, target + "\\sub\\b.bin")}));
  EXPECT_TRUE(file_tree::files_below(target).empty());
  EXPECT_EQ(end_line(), counts_line(0, 0, 2));
  restore_permissions();
  check_invariant();
}

}  // namespace
