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

struct attribute_case {
  const char* name;
  standing what;
  bool overwrite_all;
  bool kept_notice;   // the exists notice, a skip; else the write-error notice, an error
  bool arrives_late;  // put there by another program while the file is copied
  bool empty_source = false;  // copied without a temporary, so what is in the way comes before it
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
  const std::string source = c.empty_source ? "" : scratch::pattern_bytes(30000, 3);
  scratch::write_tree(host("src"), {{"a.bin", source},
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
  if (c.arrives_late) {
    // out stands empty at the start, so the job takes it for its own; the thing in the way
    // comes with a.bin's first chunk, after any test before the copy, or for an empty a.bin
    // as its turn comes, before its copy is made under its name.
    ASSERT_TRUE(host_make_folder(host("out")));
    at_report(
        [&](const job_report& r) {
          copying_a = copying_a || (r.kind == report_kind::current_file && r.text == dest);
          return copying_a && (c.empty_source || r.kind == report_kind::file_progress);
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
  if (c.arrives_late) return;
  // Settled before the copy: the file bar never moved for a.bin.
  const std::vector<std::string> log = job_log();
  const auto a_label = std::find(log.begin(), log.end(), "current file " + dest);
  ASSERT_NE(a_label, log.end());
  EXPECT_EQ(std::find(a_label, log.end(), "file progress 3"), log.end()) << c.name;
}

using enum standing;
INSTANTIATE_TEST_SUITE_P(
    Cases, DestinationAttributes,
    testing::Values(
        attribute_case{"read-only file, overwrite", read_only_file, true, false, false},
        attribute_case{"read-only file, keep", read_only_file, false, true, false},
        attribute_case{"locked file, keep", locked_file, false, true, false},
        attribute_case{"folder, overwrite", folder, true, false, false},
        attribute_case{"folder, keep", folder, false, false, false},
        attribute_case{"read-only file, overwrite, late", read_only_file, true, false, true},
        attribute_case{"read-only file, keep, late", read_only_file, false, true, true},
        attribute_case{"locked file, keep, late", locked_file, false, true, true},
        attribute_case{"folder, overwrite, late", folder, true, false, true},
        attribute_case{"folder, keep, late", folder, false, false, true},
        attribute_case{"read-only file, overwrite, late, empty", read_only_file, true, false, true,
                       true},
        attribute_case{"locked file, keep, late, empty", locked_file, false, true, true, true},
        attribute_case{"folder, keep, late, empty", folder, false, false, true, true}),
    case_name<attribute_case>);
}  // namespace
