// The job's last report carries what it did: the end line's counts, whether it was stopped,
// the seconds from Start (the scan included) on the clock seam, and the end line it shows.
#include <gtest/gtest.h>

#include <string>

#include "core/job_state.h"
#include "platform/testing/fake_clock.h"
#include "res/texts.h"
#include "tests/support/copy_job_fixture.h"

namespace {
TEST_F(CopyJob, EndReportCarriesTheCountsTheEndLineAndTheSecondsFromStart) {
  scratch::write_tree(host("src"), {{"a", "1"}, {"b", "22"}, {"c", "333"}});
  scratch::write_tree(host("out"), {{"b", "old"}});
  set_sources({engine("src"), engine("gone")});
  set_dest(engine("out"));
  const int64_t started_ms = fake_clock_milliseconds();
  int64_t finished_ms = 0;
  recording_reports_on_report([&](const job_report& r) {
    if (r.kind == report_kind::status_line && r.text == TEXT_SCANNING)
      fake_clock_advance(7000);  // a scan of seven seconds
    if (r.kind == report_kind::job_finished) finished_ms = fake_clock_milliseconds();
  });
  run_job();

  const job_outcome outcome = finished_outcome();
  EXPECT_EQ(outcome.files_copied, 2);
  EXPECT_EQ(outcome.files_skipped, 1);
  EXPECT_EQ(outcome.errors, 1) << "the missing source";
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(std::string(outcome.end_line), end_line_counts(2, 1, 1));
  EXPECT_EQ(std::string(outcome.end_line), texts_of(report_kind::estimate_line).back())
      << "the end line the dialog shows";
  EXPECT_GE(outcome.seconds, 7) << "the scan counts";
  EXPECT_EQ(outcome.seconds, finished_ms / 1000 - started_ms / 1000);
}

// A twin is skipped as a kept file is, on the end line and in its box, but its notice is of
// its own kind and names the source, whose contents no file of the destination holds; the
// outcome counts it apart. A kept file stays what it was.
TEST_F(CopyJob, ATwinIsSkippedWithANoticeOfItsOwnAndCountedApart) {
  scratch::write_tree(host("src"), {{"Report.txt", "first"}, {"report.txt", "second"},
                                    {"kept", "new"}});
  scratch::write_tree(host("out"), {{"kept", "old"}});
  if (scratch::read_tree(host("src")).size() != 3) GTEST_SKIP() << "no case twins on this host";
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();

  std::vector<std::string> notices;
  for (const job_report& r : recorded_reports())
    if (r.kind == report_kind::notice) notices.push_back(describe(r.notice) + " " + r.path);
  EXPECT_EQ(notices,
            (std::vector<std::string>{"kept existing " + engine("out/kept"),
                                      "twin of a copied file " + engine("src/report.txt")}));
  EXPECT_EQ(error_texts(), (std::vector<std::string>{write_error_text(engine("out/kept")),
                                                     write_error_text(engine("out/report.txt"))}));
  const job_outcome outcome = finished_outcome();
  EXPECT_EQ(outcome.files_skipped, 2);
  EXPECT_EQ(outcome.twins_skipped, 1);
  EXPECT_EQ(std::string(outcome.end_line), end_line_counts(1, 2, 0));
}
}  // namespace
