// How a file moves in chunks: the chunk size re-read each chunk (kept across a pause), the
// current-file bar after every chunk, the closing pass that reads nothing, and the sleeps.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/job_state.h"
#include "platform/testing/fake_clock.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

class ChunkedCopy : public CopyJob {
 protected:
  void copy_one(const std::string& bytes) {
    tree_ = {{"f.bin", bytes}};
    scratch::write_tree(host("src"), tree_);
    set_sources({engine("src")});
    set_dest(engine("out"));
    run_job();
    EXPECT_TRUE(scratch::same_tree(tree_, host("out")));
    EXPECT_TRUE(error_texts().empty());
  }
  // The file bar from the first chunk to the file's end (without the start-up and end resets).
  std::vector<int32_t> file_bar() {
    std::vector<int32_t> bar = positions_of(report_kind::file_progress);
    return std::vector<int32_t>(bar.begin() + 1, bar.end() - 1);
  }
  file_map tree_;
};

TEST_F(ChunkedCopy, EmptyFileIsCreatedWithOneEmptyRead) {
  copy_one("");
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{0, 100}));
  EXPECT_EQ(fake_clock_sleeps(), std::vector<int32_t>{100});
}

TEST_F(ChunkedCopy, ShortLastChunkEndsTheFile) {
  copy_one(scratch::pattern_bytes(2500, 7));
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{40, 81, 100}));
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{100, 100, 100}));
}

TEST_F(ChunkedCopy, ExactMultipleTakesOneMorePassThatReadsNothing) {
  copy_one(scratch::pattern_bytes(2048, 8));
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{50, 100}))
      << "the empty pass and the file's end leave the bar at 100, and 100 is not sent again";
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{100, 100, 100}));
}

TEST_F(ChunkedCopy, LargeChunksWithoutDelayWhenUnlimited) {
  store(job_state.chunk_size, 1000000);
  store(job_state.chunk_delay_ms, 0);
  copy_one(scratch::pattern_bytes(2500000, 9));
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{40, 80, 100}));
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(ChunkedCopy, SpeedChangeMidFileAppliesFromTheNextChunk) {
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [] {
              store(job_state.chunk_size, 2000);
              store(job_state.chunk_delay_ms, 0);
            });
  copy_one(scratch::pattern_bytes(5000, 10));
  // 1024, then 2000, then the 1976 left; the delay is read at each sleep, the first included.
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{20, 60, 100}));
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(ChunkedCopy, AChunkWaitingInThePauseKeepsItsSize) {
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [] { store(job_state.paused, 1); });
  int polls = 0;
  fake_clock_on_sleep([&](int32_t milliseconds) {
    if (milliseconds != 50) return;
    if (++polls == 1) store(job_state.chunk_size, 2000);
    if (polls == 3) store(job_state.paused, 0);
  });
  copy_one(scratch::pattern_bytes(5000, 11));
  // 1024; the pause; 1024 more at the old size; then 2000; then 952.
  EXPECT_EQ(file_bar(), (std::vector<int32_t>{20, 40, 80, 100}));
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{100, 50, 50, 50, 100, 100, 100}));
}

TEST_F(ChunkedCopy, PauseWaitPollsEveryFiftyMillisecondsAndShowsThePausedLine) {
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [] { store(job_state.paused, 1); });
  int polls = 0;
  fake_clock_on_sleep([&](int32_t milliseconds) {
    if (milliseconds == 50 && ++polls == 60) store(job_state.paused, 0);  // three seconds
  });
  copy_one(scratch::pattern_bytes(1500, 12));

  std::vector<int32_t> sleeps = fake_clock_sleeps();
  EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 50), 60);
  std::vector<std::string> status = texts_of(report_kind::status_line);
  int paused_lines = 0;
  for (const std::string& line : status)
    if (line.find("当前速度") != std::string::npos) ++paused_lines;
  EXPECT_EQ(paused_lines, 3) << "one paused line per clock second";
  std::vector<std::string> estimate = texts_of(report_kind::estimate_line);
  ASSERT_GE(estimate.size(), 2u);
  EXPECT_EQ(estimate[0], "") << "the paused sample empties the estimate line";
}
}  // namespace
