// A run's exit code from how it ended: each row one case of the README's table, precedence
// included (3 over 2 over 1 over 0).
#include <gtest/gtest.h>

#include "core/job_reports.h"
#include "tests/support/case_name.h"

namespace {
struct exit_case {
  const char* name;
  bool refused;
  bool job_ended;
  bool stopped;
  int32_t errors;
  int32_t skipped;
  int32_t twins;      // of skipped
  int32_t differing;  // of skipped: kept files not equal to their sources
  bool log_lost_a_line;
  int code;
};

class RunExitCode : public testing::TestWithParam<exit_case> {};

TEST_P(RunExitCode, FollowsTheTable) {
  const exit_case& row = GetParam();
  job_outcome outcome{};
  outcome.files_copied = 3;
  outcome.files_skipped = row.skipped;
  outcome.errors = row.errors;
  outcome.twins_skipped = row.twins;
  outcome.kept_differing = row.differing;
  outcome.stopped = row.stopped;
  const run_end end{row.refused, row.job_ended ? &outcome : nullptr, row.log_lost_a_line};
  EXPECT_EQ(run_exit_code(end), row.code) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RunExitCode,
    testing::Values(
        // name, refused, job ended, stopped, errors, skipped, twins, differing, log lost, code
        exit_case{"every file copied",               false, true,  false, 0, 0, 0, 0, false, 0},
        exit_case{"files kept because they exist",   false, true,  false, 0, 2, 0, 0, false, 0},
        exit_case{"a file failed",                   false, true,  false, 1, 0, 0, 0, false, 1},
        exit_case{"the log lost a line",             false, true,  false, 0, 0, 0, 0, true,  1},
        exit_case{"a file failed and the log lost",  false, true,  false, 2, 1, 0, 0, true,  1},
        exit_case{"a twin not copied",               false, true,  false, 0, 2, 1, 0, false, 1},
        exit_case{"a kept file differs",             false, true,  false, 0, 2, 0, 1, false, 1},
        exit_case{"stopped after a twin",            false, true,  true,  0, 1, 1, 0, false, 2},
        exit_case{"stopped",                         false, true,  true,  0, 0, 0, 0, false, 2},
        exit_case{"stopped after a failure",         false, true,  true,  1, 0, 0, 0, true,  2},
        exit_case{"closed before the job ended",     false, false, false, 0, 0, 0, 0, false, 2},
        exit_case{"nothing started",                 true,  false, false, 0, 0, 0, 0, false, 3},
        exit_case{"nothing started, the log lost",   true,  false, false, 0, 0, 0, 0, true,  3}),
    case_name<exit_case>);
}  // namespace
