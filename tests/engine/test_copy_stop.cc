// Stop at each place the worker looks: a file abandoned after a chunk is deleted (and never
// takes the old file with it), a file whose last chunk was read stays, no new file is begun.
#include <gtest/gtest.h>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/host_tools.h"
#include "res/texts.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

struct stop_case {
  const char* name;
  size_t size;      // of the first file, copied in chunks of 1024
  int32_t stop_at;  // file-bar position after whose chunk Stop is pressed
  bool file_stays;
};

class StopAfterAChunk : public CopyJob, public testing::WithParamInterface<stop_case> {};

TEST_P(StopAfterAChunk, AbandonsOrKeepsTheFileAndBeginsNoOther) {
  const stop_case& c = GetParam();
  const std::string first = scratch::pattern_bytes(c.size, 21);
  scratch::write_tree(host("src"), {{"a.bin", first}, {"b.bin", "second"}});
  scratch::write_tree(host("out"), {{"a.bin", "old contents"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, 1);
  at_report(
      [&](const job_report& r) {
        return r.kind == report_kind::file_progress && r.value == c.stop_at;
      },
      [] { store(job_state.running, 0); });

  EXPECT_EQ(run_job(), 0);
  EXPECT_TRUE(scratch::same_tree({{"a.bin", c.file_stays ? first : "old contents"}}, host("out")))
      << c.name << ": no partial file, no temporary left, the old file kept";
  EXPECT_EQ(texts_of(report_kind::current_file), std::vector<std::string>{engine("out\\a.bin")}) << c.name;
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 50})) << c.name;
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(), TEXT_JOB_STOPPED) << c.name;
  EXPECT_TRUE(error_texts().empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Places, StopAfterAChunk,
    testing::Values(stop_case{"mid-file", 3000, 34, false},
                    stop_case{"last short chunk", 1500, 100, true},
                    stop_case{"last full chunk of an exact multiple", 2048, 100, false}),
    [](const testing::TestParamInfo<stop_case>& info) { return std::to_string(info.index); });

struct paused_stop_case {
  const char* name;
  size_t size;
  bool file_stays;  // the one chunk read after the wait completes the file
};

class StopWhilePaused : public CopyJob, public testing::WithParamInterface<paused_stop_case> {};

TEST_P(StopWhilePaused, CopiesOneMoreChunkThenAbandonsUnlessThatFinishedTheFile) {
  const paused_stop_case& c = GetParam();
  const std::string bytes = scratch::pattern_bytes(c.size, 22);
  scratch::write_tree(host("src"), {{"a.bin", bytes}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [] { store(job_state.paused, 1); });
  int polls = 0;
  fake_clock_on_sleep([&](int32_t milliseconds) {
    if (milliseconds == 50 && ++polls == 4) store(job_state.running, 0);
  });

  run_job();
  EXPECT_EQ(polls, 4) << c.name << ": Stop ends the wait";
  // The reset, the chunks, the file's end (100, unless the last chunk showed it), the job's end.
  EXPECT_EQ(positions_of(report_kind::file_progress),
            c.file_stays ? (std::vector<int32_t>{0, 68, 100, 0})
                         : (std::vector<int32_t>{0, 34, 68, 100, 0}))
      << c.name;
  EXPECT_TRUE(
      scratch::same_tree(c.file_stays ? file_map{{"a.bin", bytes}} : file_map{}, host("out")))
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(Sizes, StopWhilePaused,
                         testing::Values(paused_stop_case{"file of three chunks", 3000, false},
                                         paused_stop_case{"file ending in that chunk", 1500, true}),
                         [](const testing::TestParamInfo<paused_stop_case>& info) {
                           return std::to_string(info.index);
                         });

TEST_F(CopyJob, StopBetweenFilesBeginsNoFurtherFile) {
  scratch::write_tree(host("src"), {{"a", "first"}, {"b", "second"}, {"c", "third"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  at_report(
      [](const job_report& r) { return r.kind == report_kind::file_progress && r.value == 100; },
      [] { store(job_state.running, 0); });
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"a", "first"}}, host("out")));
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 66}));
  EXPECT_EQ(texts_of(report_kind::current_file).back(), engine("out\\a")) << "the label keeps the last file";
  const job_outcome outcome = finished_outcome();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.files_copied, 1);
  EXPECT_EQ(std::string(outcome.end_line), TEXT_JOB_STOPPED);
}

TEST_F(CopyJob, StopDuringTheScanEndsItAndCopiesNothing) {
  scratch::write_tree(host("src"), {{"a", "first"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  at_report([](const job_report& r) { return r.kind == report_kind::status_line; },
            [] { store(job_state.running, 0); });  // Stop while scanning
  run_job();
  EXPECT_FALSE(scratch::exists(host("out")));
  EXPECT_EQ(job_data.file_count, 0) << "the scan gave up before listing the file";
  EXPECT_EQ(job_log(), (std::vector<std::string>{"file progress 0", "status line " TEXT_SCANNING,
                                                 "estimate line " TEXT_JOB_STOPPED,
                                                 "file progress 0", "overall progress 0",
                                                 "job finished",
                                                 "worker gone"}));
}

TEST_F(CopyJob, AbandonedFileThatCannotBeDeletedIsNamedWhateverDontNotifySays) {
  scratch::write_tree(host("src"), {{"a.bin", scratch::pattern_bytes(3000, 23)}});
  scratch::make_folders(host(""), "out");
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.dont_notify, 1);
  std::string temp_name;
  int expected_error = 0;
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [&] {
              std::vector<host_entry> entries;
              host_list_folder(host("out"), entries);
              ASSERT_EQ(entries.size(), 1u) << "the copy is under its temporary name";
              temp_name = entries[0].name;
              expected_error = host_block_deletion(host("out/" + temp_name));
              store(job_state.running, 0);
            });
  run_job();
  if (expected_error == 0) GTEST_SKIP() << "this host cannot keep a file from being deleted";
  EXPECT_NE(temp_name, "a.bin");
  EXPECT_EQ(error_texts(), std::vector<std::string>{
                               deletion_error_text(engine("out\\" + temp_name), expected_error)});
  EXPECT_FALSE(scratch::exists(host("out/a.bin"))) << "nothing under the final name";
}
}  // namespace
