// ferrix.exe killed in the middle of a file leaves that file's temporary; running the same job
// again to its end leaves the destination as a run without the crash would: the copy, and no
// temporary. A file of an earlier version's temporary shape stays, and so does a user's file
// named exactly as a temporary: only the temporary the crashed run recorded as its own goes,
// and only while it holds the first bytes of its source.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/job_fixture.h"

namespace {
class CrashLeftover : public JobFixture {
 protected:
  // After the crash: a new ferrix.exe, the same job, unlimited, to its end.
  void run_the_job_again_to_its_end() {
    ASSERT_TRUE(driver::launch_ferrix(ferrix));
    dialog = ferrix.dialog;
    ASSERT_TRUE(add_source_folder(long_job_source));
    ASSERT_TRUE(choose_destination_folder(long_job_dest));
    ASSERT_TRUE(unlimited_speed());
    driver::click(dialog, IDC_START_STOP);
    ASSERT_TRUE(job_finished());
    ASSERT_TRUE(worker_gone());
  }
};

TEST_F(CrashLeftover, IsClearedByTheNextCompleteRun) {
  ASSERT_NO_FATAL_FAILURE(prepare_long_job());
  ASSERT_TRUE(file_tree::write_file(long_job_dest + "\\~0001", "not Ferrix's to delete"));
  ASSERT_TRUE(file_tree::write_file(long_job_dest + "\\~f+00", "a user's, named as a temporary"));
  ASSERT_TRUE(start_long_job());
  driver::kill_ferrix(ferrix);  // TerminateProcess, as a crash: nothing of the job finishes

  const std::vector<std::string> after_crash = file_tree::files_below(long_job_dest);
  EXPECT_EQ(after_crash, (std::vector<std::string>{"~0001", "~f+00", "~f+01"}))
      << "the crash leaves its temporary, nothing under the final name";

  ASSERT_NO_FATAL_FAILURE(run_the_job_again_to_its_end());

  EXPECT_EQ(file_tree::files_below(long_job_dest),
            (std::vector<std::string>{"big.bin", "~0001", "~f+00"}));
  std::string kept;
  ASSERT_TRUE(file_tree::read_file(long_job_dest + "\\~0001", kept));
  EXPECT_EQ(kept, "not Ferrix's to delete");
  ASSERT_TRUE(file_tree::read_file(long_job_dest + "\\~f+00", kept));
  EXPECT_EQ(kept, "a user's, named as a temporary");
  std::string source_bytes, copy_bytes;
  ASSERT_TRUE(file_tree::read_file(long_job_source + "\\big.bin", source_bytes));
  ASSERT_TRUE(file_tree::read_file(long_job_file, copy_bytes));
  EXPECT_TRUE(source_bytes == copy_bytes) << "the copy is whole";
}

// Identities are reused: ext4 gives a freed inode to the next new file, FAT and exFAT number a
// file by its folder slot. Here the user's file takes the leftover's very identity (its bytes
// written over in place): the record's identity matches, but the bytes are not the source's.
TEST_F(CrashLeftover, GivenAUsersBytesInItsIdentityStays) {
  ASSERT_NO_FATAL_FAILURE(prepare_long_job());
  ASSERT_TRUE(start_long_job());
  driver::kill_ferrix(ferrix);
  ASSERT_EQ(file_tree::files_below(long_job_dest), std::vector<std::string>{"~f+00"});
  const std::string users = "a user's own, in the leftover's place";
  ASSERT_TRUE(file_tree::write_file(long_job_dest + "\\~f+00", users));

  ASSERT_NO_FATAL_FAILURE(run_the_job_again_to_its_end());

  EXPECT_EQ(file_tree::files_below(long_job_dest), (std::vector<std::string>{"big.bin", "~f+00"}));
  std::string kept;
  ASSERT_TRUE(file_tree::read_file(long_job_dest + "\\~f+00", kept));
  EXPECT_EQ(kept, users);
}
}  // namespace
