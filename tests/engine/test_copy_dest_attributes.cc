// What stands under a destination name decides the copy on every backend alike: a read-only
// file is never replaced (the write-error notice, an error), a file another program holds open
// is kept like any other, a folder is never taken for a file. Settled before a byte is written
// where it stood before the job; where it arrived in a folder the job made or found empty,
// once the rename finds the name taken, with the same outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/job_state.h"
#include "platform/testing/host_tools.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

enum class standing { read_only_file, locked_file, folder };
// When it comes: before the job, or put there by another program in a folder the job took for
// its own, with a.bin's first chunk, or as an empty a.bin's turn comes (its copy is made
// under its name, without a temporary).
enum class arrival { before_the_job, with_the_first_chunk, before_an_empty_copy };

struct attribute_case {
  const char* name;
  standing what;
  bool overwrite_all;
  bool kept_notice;  // the exists notice, a skip; else the write-error notice, an error
  arrival when = arrival::before_the_job;
};

class DestinationAttributes : public CopyJob, public testing::WithParamInterface<attribute_case> {
 protected:
  void TearDown() override {
    host_release_blocks();
    host_set_permissions(host("out/a.bin"), 0644);
    CopyJob::TearDown();
  }
};

TEST_P(DestinationAttributes, SettleTheCopyWithoutTouchingIt) {
  const attribute_case& c = GetParam();
  const bool empty_source = c.when == arrival::before_an_empty_copy;
  scratch::write_tree(host("src"), {{"a.bin", empty_source ? "" : scratch::pattern_bytes(30000, 3)},
                                    {"z.txt", "still copied"}});
  file_map old_tree = {{"a.bin", "the old contents"}};
  if (c.what == standing::folder) old_tree = {{"a.bin/inside", "a folder in the way"}};
  bool placed = false;  // what stands in the way stands there as the case says
  const auto put_in_the_way = [&] {
    scratch::write_tree(host("out"), old_tree);
    placed = true;
    if (c.what == standing::read_only_file) placed = host_set_permissions(host("out/a.bin"), 0444);
    if (c.what == standing::locked_file) placed = host_hold_file_locked(host("out/a.bin"));
  };
  const std::string dest = engine("out\\a.bin");
  bool copying_a = false;
  if (c.when != arrival::before_the_job) {
    // out stands empty at the start, so the job takes it for its own.
    ASSERT_TRUE(host_make_folder(host("out")));
    at_report(
        [&](const job_report& r) {
          copying_a = copying_a || (r.kind == report_kind::current_file && r.text == dest);
          return copying_a && (empty_source || r.kind == report_kind::file_progress);
        },
        put_in_the_way);
  } else {
    put_in_the_way();
  }
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, c.overwrite_all);
  run_job();
  host_release_blocks();
  if (c.what == standing::locked_file && !placed)
    GTEST_SKIP() << "this host has no locks that keep other programs out of a file";
  ASSERT_TRUE(placed) << c.name;

  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(dest)}) << c.name;
  int notices_of_kind = 0;
  const notice_kind kind = c.kept_notice ? notice_kind::kept_existing : notice_kind::write_error;
  for (const job_report& r : recorded_reports())
    if (r.kind == report_kind::notice && r.notice == kind && r.path == dest) ++notices_of_kind;
  EXPECT_EQ(notices_of_kind, 1) << c.name;
  const std::vector<std::string> estimates = texts_of(report_kind::estimate_line);
  ASSERT_FALSE(estimates.empty());
  EXPECT_EQ(estimates.back(), c.kept_notice ? end_line_counts(1, 1, 0) : end_line_counts(1, 0, 1))
      << c.name;
  file_map expected = old_tree;
  expected["z.txt"] = "still copied";
  EXPECT_TRUE(scratch::same_tree(expected, host("out"))) << c.name << ": no temporary left";
  if (c.when != arrival::before_the_job) return;
  // Settled before the copy: the file bar never moved for a.bin.
  const std::vector<std::string> log = job_log();
  const auto a_label = std::find(log.begin(), log.end(), "current file " + dest);
  ASSERT_NE(a_label, log.end());
  EXPECT_EQ(std::find(a_label, log.end(), "file progress 3"), log.end()) << c.name;
}

constexpr auto late = arrival::with_the_first_chunk;
constexpr auto late_empty = arrival::before_an_empty_copy;
INSTANTIATE_TEST_SUITE_P(
    Cases, DestinationAttributes,
    testing::Values(
        attribute_case{"read-only file, overwrite", standing::read_only_file, true, false},
        attribute_case{"read-only file, keep", standing::read_only_file, false, true},
        attribute_case{"locked file, keep", standing::locked_file, false, true},
        attribute_case{"folder, overwrite", standing::folder, true, false},
        attribute_case{"folder, keep", standing::folder, false, false},
        attribute_case{"read-only file, overwrite, late", standing::read_only_file, true, false,
                       late},
        attribute_case{"read-only file, keep, late", standing::read_only_file, false, true, late},
        attribute_case{"locked file, keep, late", standing::locked_file, false, true, late},
        attribute_case{"folder, keep, late", standing::folder, false, false, late},
        attribute_case{"read-only file, overwrite, late, empty", standing::read_only_file, true,
                       false, late_empty},
        attribute_case{"locked file, keep, late, empty", standing::locked_file, false, true,
                       late_empty},
        attribute_case{"folder, keep, late, empty", standing::folder, false, false, late_empty}),
    case_name<attribute_case>);
}  // namespace
