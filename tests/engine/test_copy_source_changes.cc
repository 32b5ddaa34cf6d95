// A source that changes while it is copied: cut short or rewritten in place, its copy is
// dropped with the read-error notice and counted as an error, and an old destination file
// stays; one that only grew is copied to the end the copy finds.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/job_state.h"
#include "platform/testing/host_tools.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

struct change_case {
  const char* name;
  size_t new_size;     // the source's size after the change
  bool append;         // the change adds bytes at the end, else it writes the file anew
  bool copy_dropped;   // the copy matches no state the source was ever in
};

class ChangedSource : public CopyJob, public testing::WithParamInterface<change_case> {};

TEST_P(ChangedSource, IsDroppedUnlessItOnlyGrew) {
  const change_case& c = GetParam();
  const std::string before = scratch::pattern_bytes(40000, 7);
  const std::string after = c.append ? before + scratch::pattern_bytes(c.new_size - 40000, 8)
                                     : scratch::pattern_bytes(c.new_size, 9);
  scratch::write_tree(host("src"), {{"a.bin", before}, {"z.txt", "still copied"}});
  scratch::write_tree(host("out"), {{"a.bin", "the old copy"}});
  // A day back: the change gets another last-write time whatever the clock's tick.
  ASSERT_TRUE(host_age_file(host("src/a.bin")));
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, 1);
  at_report([](const job_report& r) { return r.kind == report_kind::file_progress && r.value > 0; },
            [&] {
              if (!c.append) {
                scratch::write_file(host("src/a.bin"), after);
                return;
              }
              FILE* file = fopen(host("src/a.bin").c_str(), "ab");
              ASSERT_NE(file, nullptr);
              fwrite(after.data() + 40000, 1, after.size() - 40000, file);
              fclose(file);
            });
  run_job();

  const file_map expected = {{"a.bin", c.copy_dropped ? "the old copy" : after},
                             {"z.txt", "still copied"}};
  EXPECT_TRUE(scratch::same_tree(expected, host("out"))) << c.name << ": no temporary left";
  std::vector<std::string> notices;
  if (c.copy_dropped) notices.push_back(read_error_text(engine("src\\a.bin")));
  EXPECT_EQ(error_texts(), notices) << c.name;
  int changed_notices = 0;
  for (const job_report& r : recorded_reports())
    if (r.kind == report_kind::notice && r.notice == notice_kind::source_changed &&
        r.path == engine("src\\a.bin"))
      ++changed_notices;
  EXPECT_EQ(changed_notices, c.copy_dropped ? 1 : 0) << c.name;
  const std::vector<std::string> estimates = texts_of(report_kind::estimate_line);
  ASSERT_FALSE(estimates.empty());
  if (c.copy_dropped) {
    EXPECT_EQ(estimates.back(), end_line_counts(1, 0, 1)) << c.name;
  }
}

// An empty source's copy is made under its own name: dropped, it leaves nothing there.
TEST_F(CopyJob, AnEmptySourceRewrittenLeavesNoCopyUnderItsName) {
  scratch::write_tree(host("src"), {{"a.bin", ""}, {"z.txt", "still copied"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  // Rewritten empty at its one read: only its last-write time tells (a day back, whatever the
  // clock's tick).
  bool copying_a = false;
  at_report(
      [&](const job_report& r) {
        copying_a = copying_a || r.kind == report_kind::current_file;
        return copying_a && r.kind == report_kind::file_progress;
      },
      [&] { ASSERT_TRUE(host_age_file(host("src/a.bin"))); });
  run_job();

  EXPECT_TRUE(scratch::same_tree({{"z.txt", "still copied"}}, host("out")));
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(engine("src\\a.bin"))});
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedSource,
    testing::Values(change_case{"cut to nothing", 0, false, true},
                    change_case{"cut shorter than read so far", 500, false, true},
                    change_case{"cut shorter than it was", 30000, false, true},
                    change_case{"rewritten in place at its size", 40000, false, true},
                    change_case{"appended to", 45000, true, false}),
    case_name<change_case>);
}  // namespace
