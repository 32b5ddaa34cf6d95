// Sources that change between the scan and their copy: a file deleted, grown or shrunk, a
// folder removed. While the first (slow) file is copied the later ones change; each later file
// is then copied as it is by its turn, or skipped with the read-error notice when it is gone.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class ChangedSource : public FaultFixture {};

TEST_F(ChangedSource, LaterFilesAreCopiedAsTheyAreByTheirTurnOrReportedGone) {
  const std::string source = folder("source");
  // Copies go in path order: "0slow.bin" first, the ones that change after it.
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\0slow.bin", 64 * 1024));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\deleted.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\grown.bin", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\shrunk.bin", 50000));
  ASSERT_TRUE(file_tree::make_folder(source + "\\removed"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\removed\\inside.bin", 3000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(slowest_speed());

  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_CURRENT_FILE, target + "\\0slow.bin"));
  ASSERT_TRUE(DeleteFileA((source + "\\deleted.bin").c_str()));
  ASSERT_TRUE(file_tree::write_file(source + "\\grown.bin", file_tree::pattern_bytes(90000, 7)));
  ASSERT_TRUE(file_tree::write_file(source + "\\shrunk.bin", file_tree::pattern_bytes(10, 8)));
  file_tree::remove_tree(source + "\\removed");
  ASSERT_FALSE(file_tree::exists(source + "\\removed"));
  take_snapshot();  // the changes above are the test's own
  ASSERT_TRUE(unlimited_speed());

  ASSERT_TRUE(dismiss_notices_until([&] { return job_over(); }));

  EXPECT_EQ(notices, (std::vector<std::string>{notice(TEXT_READ_ERROR, source + "\\deleted.bin"),
                                               notice(TEXT_READ_ERROR,
                                                      source + "\\removed\\inside.bin")}));
  EXPECT_EQ(file_tree::files_below(target),
            (std::vector<std::string>{"0slow.bin", "grown.bin", "shrunk.bin"}));
  check_invariant();
}

// A whole source folder gone by the time of the scan contributes nothing, and says so: the
// read-error notice names the folder and the end line counts it; the other sources are copied.
TEST_F(ChangedSource, ASourceFolderGoneBeforeTheScanContributesNothing) {
  const std::string gone = folder("gone");
  ASSERT_NO_FATAL_FAILURE(make_file(gone + "\\lost.bin", 3000));
  const std::string kept = folder("kept");
  ASSERT_NO_FATAL_FAILURE(make_file(kept + "\\kept.bin", 4000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({gone, kept}, target));
  file_tree::remove_tree(gone);
  take_snapshot();

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, gone)});
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), counts_line(1, 0, 1));
  EXPECT_EQ(file_tree::files_below(target), std::vector<std::string>{"kept.bin"});
  check_invariant();
}

}  // namespace
