// Memory that cannot be had: without a transfer buffer the worker says so and ends without a
// job; without room for the file list the job ends normally, copying nothing.
#include <gtest/gtest.h>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "platform/testing/refusing_worker_memory.h"
#include "res/texts.h"
#include "tests/support/copy_job_fixture.h"

namespace {
TEST_F(CopyJob, NoTransferBufferEndsTheJobWithItsError) {
  scratch::write_tree(host("src"), {{"a", "x"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  fail_worker_allocation_after(0);
  EXPECT_EQ(run_job(), -1);
  EXPECT_EQ(job_log(), (std::vector<std::string>{"notice " TEXT_NO_COPY_BUFFER,
                                                 "estimate line " + end_line_counts(0, 0, 1),
                                                 "file progress 0", "overall progress 0",
                                                 "job finished", "worker gone"}));
  EXPECT_EQ(error_texts().size(), 1u);  // checks the memory caption
  EXPECT_EQ(load(job_state.running), 0) << "the dialog is back to idle";
  EXPECT_FALSE(scratch::exists(host("out")));
}

// Allocations in order: buffer, list, then one per entry.
struct list_failure_case {
  const char* name;
  int32_t successes_before;
};

class NoRoomForTheList : public CopyJob, public testing::WithParamInterface<list_failure_case> {};

TEST_P(NoRoomForTheList, EndsTheJobNormallyWithNothingCopied) {
  scratch::write_tree(host("src"), {{"a", "1"}, {"b", "2"}, {"c/d", "3"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  fail_worker_allocation_after(GetParam().successes_before);
  EXPECT_EQ(run_job(), 0) << GetParam().name;
  EXPECT_EQ(job_log(), (std::vector<std::string>{"file progress 0", "status line " TEXT_SCANNING,
                                                 "notice " TEXT_NO_FILE_LIST,
                                                 "estimate line " + end_line_counts(0, 0, 1),
                                                 "file progress 0",
                                                 "overall progress 0", "job finished", "worker gone"}))
      << GetParam().name;
  EXPECT_EQ(error_texts().size(), 1u);  // checks the memory caption
  EXPECT_FALSE(scratch::exists(host("out"))) << GetParam().name;
  EXPECT_EQ(job_data.file_list, nullptr);
  EXPECT_EQ(job_data.copy_buffer, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Allocations, NoRoomForTheList,
                         testing::Values(list_failure_case{"the list", 1},
                                         list_failure_case{"the first entry", 2},
                                         list_failure_case{"the third entry", 4}),
                         [](const testing::TestParamInfo<list_failure_case>& info) {
                           return std::to_string(info.index);
                         });
}  // namespace
