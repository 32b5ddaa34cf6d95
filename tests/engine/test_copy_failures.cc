// Files that cannot be read, written, named or placed: each is reported (unless dont_notify
// is set), nothing partial is left under its name, an old file survives, and the job goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/job_state.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/host_tools.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

class FailedFile : public CopyJob {
 protected:
  // src holds a.bin (the file that fails, copied first) and z.txt (copied after it).
  void set_up_job(const std::string& a_bytes) {
    a_ = a_bytes;
    scratch::write_tree(host("src"), {{"a.bin", a_}, {"z.txt", "still copied"}});
    set_sources({engine("src")});
    set_dest(engine("out"));
  }
  static bool first_chunk(const job_report& r) {
    return r.kind == report_kind::file_progress && r.value > 0;
  }
  std::string a_;
};

TEST_F(FailedFile, SourceGoneBeforeItsTurnIsAReadError) {
  set_up_job("soon gone");
  at_report([](const job_report& r) { return r.kind == report_kind::current_file; },
            [this] { std::remove(host("src/a.bin").c_str()); });
  run_job();
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(engine("src\\a.bin"))});
  EXPECT_TRUE(scratch::same_tree({{"z.txt", "still copied"}}, host("out")));
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{100, 100})) << "a skipped file sleeps too";
}

TEST_F(FailedFile, ReadErrorMidFileIsNotTakenForTheEnd) {
  set_up_job(scratch::pattern_bytes(40000, 41));
  bool broken = false;
  at_report(first_chunk, [&] { broken = host_break_reads_of_open_file(host("src/a.bin")); });
  run_job();
  if (!broken) GTEST_SKIP() << "this host cannot make reads of an open file fail";
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(engine("src\\a.bin"))});
  EXPECT_TRUE(scratch::same_tree({{"z.txt", "still copied"}}, host("out")))
      << "no partial copy, no temporary";
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 50, 0}));
}

// A file size limit makes the writes fail; writes that pass the stream's buffer fail at once
// (a short write), smaller ones only when the stream is flushed.
struct write_failure_case {
  const char* name;
  size_t size;
  int32_t chunk_size;
  std::vector<int32_t> file_bar;  // the file bar over the whole job: a stops at its failing chunk
};

class WriteFailure : public FailedFile, public testing::WithParamInterface<write_failure_case> {};

TEST_P(WriteFailure, LeavesTheOldFileAndGoesOn) {
  const write_failure_case& c = GetParam();
  set_up_job(scratch::pattern_bytes(c.size, 42));
  scratch::write_tree(host("out"), {{"a.bin", "old contents"}});
  store(job_state.overwrite_all, 1);
  store(job_state.chunk_size, c.chunk_size);
  if (!host_limit_file_size(2000))
    GTEST_SKIP() << "this host has no per-process file size limit (Windows, Wine)";
  run_job();
  host_lift_file_size_limit();

  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(engine("out\\a.bin"))})
      << c.name;
  EXPECT_TRUE(
      scratch::same_tree({{"a.bin", "old contents"}, {"z.txt", "still copied"}}, host("out")))
      << c.name;
  EXPECT_EQ(positions_of(report_kind::file_progress), c.file_bar) << c.name;

  recording_reports_reset();
  store(job_state.dont_notify, 1);
  store(job_state.running, 1);
  ASSERT_TRUE(host_limit_file_size(2000));
  run_job();
  host_lift_file_size_limit();
  EXPECT_TRUE(error_texts().empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Writes, WriteFailure,
    testing::Values(
        write_failure_case{"short write of a large chunk", 50000, 20000, {0, 40, 100, 0}},
        write_failure_case{
            "failing flush of a small file", 3000, 1024, {0, 34, 68, 100, 0}}),
    [](const testing::TestParamInfo<write_failure_case>& info) {
      return std::to_string(info.index);
    });

TEST_F(FailedFile, FinishedCopyThatCannotTakeItsNameIsAWriteError) {
  set_up_job("contents");
  scratch::write_tree(host("out/a.bin"), {{"inside", "a folder stands where the file goes"}});
  store(job_state.overwrite_all, 1);
  run_job();
  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(engine("out\\a.bin"))});
  EXPECT_TRUE(scratch::same_tree(
      {{"a.bin/inside", "a folder stands where the file goes"}, {"z.txt", "still copied"}},
      host("out")));
}

TEST_F(FailedFile, FolderThatCannotBeMadeIsReportedByTheFileOpen) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"sub/c.txt", "c"}, {"z.txt", "z"}});
  scratch::write_tree(host("out"), {{"sub", "a file where the folder should be"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(engine("out\\sub\\c.txt"))});
  EXPECT_TRUE(scratch::same_tree(
      {{"a.txt", "a"}, {"sub", "a file where the folder should be"}, {"z.txt", "z"}}, host("out")));
}

TEST_F(CopyJob, TemporaryNameAvoidsFilesThatExistAndTheFileItself) {
  const file_map leftovers = {{"~0001", "left over"}, {"~0002", "left over too"}};
  scratch::write_tree(host("out"), leftovers);
  scratch::write_tree(host("src"), {{"~0000", "named like a temporary"}, {"~0001", "new"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, 1);
  run_job();
  EXPECT_TRUE(scratch::same_tree(
      {{"~0000", "named like a temporary"}, {"~0001", "new"}, {"~0002", "left over too"}},
      host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// Destination paths of up to 255 characters are copied; longer ones are refused and named.
TEST_F(CopyJob, DestinationPathsPastTwoHundredFiftyFiveCharactersAreRefused) {
  scratch::write_tree(host("src"), {{"abcd", "fits"}, {"abcde", "one too many"}});
  std::string dest = engine("out");
  std::string relative = "out";
  while (dest.size() + 1 < 250) {
    size_t length = std::min<size_t>(60, 250 - dest.size() - 1);
    if (250 - dest.size() - 1 - length == 1) --length;  // leave room for one more level
    std::string part(length, 'o');
    dest += "\\" + part;
    relative += "/" + part;
  }
  ASSERT_EQ(dest.size(), 250u);
  scratch::make_folders(host(""), relative);
  set_sources({engine("src")});
  set_dest(dest);

  run_job();
  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(dest + "\\abcde")});
  EXPECT_EQ(texts_of(report_kind::current_file),
            (std::vector<std::string>{dest + "\\abcd", dest + "\\abcde"}));
  EXPECT_TRUE(scratch::same_tree({{"abcd", "fits"}}, host(relative)));
}
}  // namespace
