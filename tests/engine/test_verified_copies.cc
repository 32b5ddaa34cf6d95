// A verified job over a drive that may lie: a copy gets its name only when it reads back as
// its source was read, a failed check keeps the old file and counts as an error, Stop in the
// read-back abandons the file, a kept file is compared with its source, and the current
// file's bar runs a second time for the read-back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/lying_drive.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

const std::string source_bytes = scratch::pattern_bytes(10000, 5);
const std::string other_bytes = scratch::pattern_bytes(10000, 6);

struct verified_case {
  const char* name;
  bool verify;
  file_map before;  // below out/
  bool overwrite_all;
  int32_t lie_offset;  // -1: the drive tells the truth; else 100 bytes there are lost
  bool stop_in_read_back;
  file_map after;
  std::vector<notice_kind> notices;  // each about out\a.bin
  int copied, skipped, errors, differing;
  int bar_runs;  // how often the current file's bar starts again from below where it was
  uint64_t estimated_bytes;  // the estimate's total at the end: what the file's reads passed,
                             // and all of it for a file copied or abandoned
  bool pause_in_read_back = false;  // for three of the pause's polls
};

class VerifiedCopy : public CopyJob, public testing::WithParamInterface<verified_case> {
 protected:
  void TearDown() override {
    drive_tells_truth();
    CopyJob::TearDown();
  }
};

// The job's end puts the bar back at 0: that last position is no run.
int runs_of(std::vector<int32_t> positions) {
  if (!positions.empty() && positions.back() == 0) positions.pop_back();
  int runs = positions.empty() ? 0 : 1;
  for (size_t i = 1; i < positions.size(); ++i) runs += positions[i] < positions[i - 1];
  return runs;
}

TEST_P(VerifiedCopy, NamesOnlyWhatReadsBackAsTheSource) {
  const verified_case& c = GetParam();
  scratch::write_tree(host("src"), {{"a.bin", source_bytes}});
  scratch::make_folders(host(""), "out");
  scratch::write_tree(host("out"), c.before);
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, c.overwrite_all ? 1 : 0);
  job_state.verify = c.verify ? 1 : 0;
  if (c.lie_offset >= 0) drive_lies_on_next_flush(c.lie_offset, 100, 0);
  bool copy_finished = false;
  if (c.stop_in_read_back || c.pause_in_read_back)
    at_report(
        [&](const job_report& r) {
          if (r.kind != report_kind::file_progress) return false;
          if (r.value == 100) copy_finished = true;
          return copy_finished && r.value < 100;
        },
        [&] {
          if (c.stop_in_read_back)
            store(job_state.running, 0);
          else
            store(job_state.paused, 1);
        });
  int polls = 0;
  int32_t bar_while_paused = -1;
  fake_clock_on_sleep([&](int32_t milliseconds) {
    if (milliseconds != 50) return;
    bar_while_paused = positions_of(report_kind::file_progress).back();
    if (++polls == 3) store(job_state.paused, 0);
  });

  EXPECT_EQ(run_job(), 0);
  EXPECT_TRUE(scratch::same_tree(c.after, host("out"))) << c.name << ": no temporary left";
  std::vector<notice_kind> notices;
  for (const job_report& r : recorded_reports())
    if (r.kind == report_kind::notice) {
      notices.push_back(r.notice);
      EXPECT_EQ(r.path, engine("out\\a.bin")) << c.name;
    }
  EXPECT_EQ(notices, c.notices) << c.name;
  const job_outcome outcome = finished_outcome();
  EXPECT_EQ(outcome.stopped, c.stop_in_read_back) << c.name;
  EXPECT_EQ(polls, c.pause_in_read_back ? 3 : 0) << c.name;
  EXPECT_EQ(bar_while_paused, c.pause_in_read_back ? 40 : -1)
      << c.name << ": held after the read-back's first sector";
  EXPECT_EQ(outcome.files_copied, c.copied) << c.name;
  EXPECT_EQ(outcome.files_skipped, c.skipped) << c.name;
  EXPECT_EQ(outcome.errors, c.errors) << c.name;
  EXPECT_EQ(outcome.kept_differing, c.differing) << c.name;
  const std::vector<int32_t> bar = positions_of(report_kind::file_progress);
  EXPECT_EQ(runs_of(bar), c.bar_runs) << c.name;
  EXPECT_LE(*std::max_element(bar.begin(), bar.end()), 100) << c.name;
  EXPECT_EQ(job_data.total_bytes, c.estimated_bytes) << c.name;
  EXPECT_EQ(drive_lie_pending(), !c.verify && c.lie_offset >= 0)
      << c.name << ": a job without verification reads nothing back";
}

constexpr auto failed = notice_kind::verify_failed;
constexpr auto kept = notice_kind::kept_existing;
constexpr auto differs = notice_kind::kept_differs;

INSTANTIATE_TEST_SUITE_P(
    Drives, VerifiedCopy,
    testing::Values(
        // name, verify, before, overwrite, lie, stop, after, notices, copied, skipped,
        // errors, differing, bar runs, estimated bytes
        verified_case{"a true copy", true, {}, false, -1, false, {{"a.bin", source_bytes}},
                      {}, 1, 0, 0, 0, 2, 20000},
        verified_case{"a lost write", true, {}, false, 4096, false, {}, {failed}, 0, 0, 1, 0, 2,
                      20000},
        verified_case{"a lost write over an old file", true, {{"a.bin", "old"}}, true, 9950,
                      false, {{"a.bin", "old"}}, {failed}, 0, 0, 1, 0, 2, 20000},
        verified_case{"stopped in the read-back", true, {{"a.bin", "old"}}, true, -1, true,
                      {{"a.bin", "old"}}, {}, 0, 0, 0, 0, 2, 20000},
        verified_case{"paused in the read-back", true, {}, false, -1, false,
                      {{"a.bin", source_bytes}}, {}, 1, 0, 0, 0, 2, 20000, true},
        verified_case{"unverified, the lie unseen", false, {}, false, 4096, false,
                      {{"a.bin", source_bytes}}, {}, 1, 0, 0, 0, 1, 10000},
        verified_case{"a kept file equal to its source", true, {{"a.bin", source_bytes}}, false,
                      -1, false, {{"a.bin", source_bytes}}, {kept}, 0, 1, 0, 0, 1, 20000},
        // Both files' first chunks differ: the comparison ends there.
        verified_case{"a kept file with other bytes", true, {{"a.bin", other_bytes}}, false, -1,
                      false, {{"a.bin", other_bytes}}, {differs}, 0, 1, 0, 1, 1, 2048},
        verified_case{"a kept file longer than its source", true,
                      {{"a.bin", source_bytes + other_bytes}}, false, -1, false,
                      {{"a.bin", source_bytes + other_bytes}}, {differs}, 0, 1, 0, 1, 1, 20000}),
    case_name<verified_case>);

}  // namespace
