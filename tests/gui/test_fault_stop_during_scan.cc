// Stop pressed while the sources are still being listed: the scan ends there (it never reaches
// the next source), nothing is copied, and the end line says the job was stopped. The tree is
// made on the Unix side, where thousands of folders take a second; listing them takes Ferrix
// several seconds under Wine.
#include <gtest/gtest.h>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class StopDuringTheScan : public UnixSideFixture {};

TEST_F(StopDuringTheScan, EndsTheJobAsStoppedWithNothingCopied) {
  const std::string source = folder("source");
  // Folders, not files: each costs the scan a listing, while the invariant's snapshot, which
  // reads every file, stays short. A file in each top folder would be copied had the scan run
  // to its end and the job gone on.
  ASSERT_TRUE(on_unix_side("cd " + unix_word(source) +
                           "\nfor top in $(seq 100); do\n"
                           "  mkdir d$top\n"
                           "  (cd d$top && mkdir $(seq -f s%g 50) && printf '%s' $top > f.bin)\n"
                           "done"));
  // A second source gone before Start: a scan that went on after Stop would reach it and say so.
  const std::string gone = folder("gone");
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source, gone}, target));
  file_tree::remove_tree(gone);  // it held no file: the snapshot stays as it is

  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_STATUS_LINE, TEXT_SCANNING));
  driver::click(dialog, IDC_START_STOP);

  ASSERT_TRUE(dismiss_notices_until([&] { return job_over(); }));
  EXPECT_TRUE(notices.empty()) << "the scan went on after Stop: " << notices[0];
  EXPECT_EQ(driver::control_text(dialog, IDC_ESTIMATE_LINE), TEXT_JOB_STOPPED);
  EXPECT_TRUE(file_tree::files_below(target).empty());
  check_invariant();
}

}  // namespace
