// A destination file that exists already: kept with the exists notice, or replaced, as the
// options say at that moment; a file that is its own destination is never touched.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/job_state.h"
#include "platform/testing/fake_clock.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

struct overwrite_case {
  bool overwrite_all;
  bool dont_notify;
};

class ExistingDestination : public CopyJob, public testing::WithParamInterface<overwrite_case> {};

TEST_P(ExistingDestination, IsKeptOrReplacedAsTheOptionsSay) {
  const overwrite_case& c = GetParam();
  scratch::write_tree(host("src"), {{"a.txt", "new a"}, {"b.txt", "new b"}});
  scratch::write_tree(host("out"), {{"a.txt", "old a, longer than the new one"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, c.overwrite_all);
  store(job_state.dont_notify, c.dont_notify);

  run_job();
  file_map expected = {{"a.txt", c.overwrite_all ? "new a" : "old a, longer than the new one"},
                       {"b.txt", "new b"}};
  EXPECT_TRUE(scratch::same_tree(expected, host("out")));
  std::vector<std::string> notices;
  if (!c.overwrite_all && !c.dont_notify) notices.push_back(write_error_text(engine("out\\a.txt")));
  EXPECT_EQ(error_texts(), notices);
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 50, 0}))
      << "a kept file still counts as finished";
  // A kept file costs one sleep and leaves the file bar alone: b.txt is then the first to move it.
  const std::vector<std::string> log = job_log();
  const auto b_label = std::find(log.begin(), log.end(), "current file " + engine("out\\b.txt"));
  ASSERT_NE(b_label, log.end());
  EXPECT_EQ(std::count(log.begin(), b_label, "file progress 100"), c.overwrite_all ? 1 : 0);
  EXPECT_EQ(std::count(b_label, log.end(), "file progress 100"), c.overwrite_all ? 0 : 1);
  EXPECT_EQ(fake_clock_sleeps().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Options, ExistingDestination,
                         testing::Values(overwrite_case{false, false}, overwrite_case{false, true},
                                         overwrite_case{true, false}, overwrite_case{true, true}),
                         [](const testing::TestParamInfo<overwrite_case>& info) {
                           return std::string(info.param.overwrite_all ? "Overwrite" : "Keep") +
                                  (info.param.dont_notify ? "Silently" : "WithNotice");
                         });

TEST_F(CopyJob, OptionsAreReadAfreshForEachFile) {
  scratch::write_tree(host("src"), {{"a", "new a"}, {"b", "new b"}});
  scratch::write_tree(host("out"), {{"a", "old a"}, {"b", "old b"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, 1);
  at_report(
      [](const job_report& r) { return r.kind == report_kind::file_progress && r.value == 100; },
      [] { store(job_state.overwrite_all, 0); });
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"a", "new a"}, {"b", "old b"}}, host("out")));
}

class SameFile : public CopyJob, public testing::WithParamInterface<bool> {};

TEST_P(SameFile, DestinationThatIsTheSourceIsSkippedNotEmptied) {
  const file_map tree = {{"a.txt", scratch::pattern_bytes(5000, 31)}, {"sub/b.txt", "bee"}};
  scratch::write_tree(host("s"), tree);
  set_sources({engine("s")});
  set_dest(engine("s"));
  store(job_state.overwrite_all, 1);
  store(job_state.dont_notify, GetParam());

  run_job();
  EXPECT_TRUE(scratch::same_tree(tree, host("s"))) << "contents intact, no temporary left";
  std::vector<std::string> notices;
  if (!GetParam())
    notices = {write_error_text(engine("s\\a.txt")), write_error_text(engine("s\\sub\\b.txt"))};
  EXPECT_EQ(error_texts(), notices);
}

INSTANTIATE_TEST_SUITE_P(Notices, SameFile, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "Silently" : "WithNotice";
                         });
}  // namespace
