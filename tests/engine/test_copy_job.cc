// A whole job over real folders: what lands where, in which order, and what the dialog is told
// on the way (bars, current-file label, completion, JOB_FINISHED, then the worker's goodbye).
#include <gtest/gtest.h>

#include <algorithm>

#include "core/job_state.h"
#include "platform/testing/fake_clock.h"
#include "res/texts.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

TEST_F(CopyJob, CopiesANestedTreeByteForByte) {
  const file_map tree = {{"A.txt", scratch::pattern_bytes(300, 1)},
                         {"b.txt", scratch::pattern_bytes(3000, 2)},
                         {"sub/c.txt", scratch::pattern_bytes(1024, 3)},
                         {"sub/deeper/empty.txt", ""},
                         {"乗/嘰.bin", scratch::pattern_bytes(70000, 4)}};
  scratch::write_tree(host("src"), tree);
  scratch::make_folders(host("src"), "no-files/none-here");
  set_sources({engine("src")});
  set_dest(engine("out"));

  EXPECT_EQ(run_job(), 0);
  EXPECT_TRUE(scratch::same_tree(tree, host("out")));
  std::vector<std::string> folders = scratch::folders_below(host("out"));
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (std::vector<std::string>{"sub", "sub/deeper", "乗"}))
      << "folders without files are not made";
  EXPECT_TRUE(error_texts().empty());
  EXPECT_EQ(load(job_state.running), 0);
}

TEST_F(CopyJob, TellsTheDialogEachStepInOrder) {
  scratch::write_tree(host("src"), {{"a.txt", "0123456789"}, {"b.txt", ""}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  int32_t running_at_finish = -1;
  at_report([](const job_report& r) { return r.kind == report_kind::job_finished; },
            [&] { running_at_finish = load(job_state.running); });

  run_job();
  EXPECT_EQ(job_log(), (std::vector<std::string>{
                           "file progress 0",
                           "status line " TEXT_SCANNING,
                           "overall progress 100",
                           "current file " + engine("out\\a.txt"),
                           "file progress 100",  // the one chunk; the file's end sends no second 100
                           "overall progress 50",
                           "current file " + engine("out\\b.txt"),
                           "file progress 0",  // an empty file's one read
                           "file progress 100",
                           "estimate line " TEXT_ALL_DONE,
                           "file progress 0",
                           "overall progress 0",
                           "job finished",
                           "worker gone",
                       }));
  EXPECT_EQ(running_at_finish, 1) << "running is cleared only after JOB_FINISHED returns";
  EXPECT_EQ(load(job_state.running), 0);
  EXPECT_EQ(fake_clock_sleeps(), (std::vector<int32_t>{100, 100}));
}

TEST_F(CopyJob, CopiesInAscendingCaseInsensitiveOrder) {
  scratch::write_tree(host("data"), {{"b.txt", "b"}, {"A.txt", "A"}, {"sub/c.txt", "c"}});
  set_sources({engine("data")});
  set_dest(engine("out"));
  run_job();
  EXPECT_EQ(texts_of(report_kind::current_file),
            (std::vector<std::string>{engine("out\\A.txt"), engine("out\\b.txt"),
                                      engine("out\\sub\\c.txt")}));
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 66, 33, 0}));
  EXPECT_EQ(positions_of(report_kind::file_progress), (std::vector<int32_t>{0, 100, 0}))
      << "one-chunk files leave the file bar at 100, which is sent once, not twice per file";
  EXPECT_TRUE(
      scratch::same_tree({{"b.txt", "b"}, {"A.txt", "A"}, {"sub/c.txt", "c"}}, host("out")));
}

TEST_F(CopyJob, AllFilesBarShowsTheShareLeftTruncated) {
  file_map tree;
  for (int i = 0; i < 100; ++i) tree[std::to_string(1000 + i)] = "";
  scratch::write_tree(host("src"), tree);
  set_sources({engine("src")});
  set_dest(engine("out"));
  // Files go in ascending order, so 1071 is begun with 29 of 100 left.
  int32_t shown_at_1071 = -1;
  at_report(
      [&](const job_report& r) {
        return r.kind == report_kind::current_file &&
               r.text == engine("out\\1071");
      },
      [&] { shown_at_1071 = positions_of(report_kind::overall_progress).back(); });
  run_job();
  std::vector<int32_t> bar = positions_of(report_kind::overall_progress);
  ASSERT_GE(bar.size(), 2u);
  EXPECT_EQ(bar.front(), 100);
  EXPECT_EQ(shown_at_1071, 28) << "29 of 100 left";
  EXPECT_EQ(bar.back(), 0);
  EXPECT_EQ(std::adjacent_find(bar.begin(), bar.end()), bar.end())
      << "a position the bar already shows is not sent again";
  EXPECT_TRUE(scratch::same_tree(tree, host("out")));
}

TEST_F(CopyJob, EmptyJobStillCompletes) {
  scratch::make_folders(host(""), "empty/inner");
  set_sources({engine("empty")});
  set_dest(engine("out"));
  EXPECT_EQ(run_job(), 0);
  EXPECT_EQ(job_log(), (std::vector<std::string>{"file progress 0", "status line " TEXT_SCANNING,
                                                 "estimate line " TEXT_ALL_DONE, "file progress 0",
                                                 "overall progress 0", "job finished", "worker gone"}));
  EXPECT_FALSE(scratch::exists(host("out")));
  EXPECT_EQ(load(job_state.running), 0);
}

// Roots with and without a trailing backslash give the same tree.
struct root_forms {
  bool source_backslash;
  bool dest_backslash;
};

class RootForms : public CopyJob, public testing::WithParamInterface<root_forms> {};

TEST_P(RootForms, GiveTheSameDestination) {
  const file_map tree = {{"a.txt", "a"}, {"x/b.txt", "bb"}, {"x/乗/c", "ccc"}};
  scratch::write_tree(host("src"), tree);
  scratch::make_folders(host(""), "out");
  set_sources({engine("src") + (GetParam().source_backslash ? "\\" : "")});
  set_dest(engine("out") + (GetParam().dest_backslash ? "\\" : ""));
  run_job();
  EXPECT_TRUE(scratch::same_tree(tree, host("out")));
  EXPECT_EQ(texts_of(report_kind::current_file).back(), engine("out\\x\\乗\\c"));
}

INSTANTIATE_TEST_SUITE_P(Backslashes, RootForms,
                         testing::Values(root_forms{false, false}, root_forms{true, false},
                                         root_forms{false, true}, root_forms{true, true}),
                         [](const testing::TestParamInfo<root_forms>& info) {
                           return std::string(info.param.source_backslash ? "Src" : "NoSrc") +
                                  (info.param.dest_backslash ? "Dest" : "NoDest") + "Backslash";
                         });

TEST_F(CopyJob, OverlappingSourcesLandBelowTheirOwnFolder) {
  scratch::write_tree(host("temp"), {{"t.txt", "t"}});
  scratch::write_tree(host("temp2"), {{"x.txt", "x"}});
  scratch::write_tree(host("data"), {{"top.txt", "1"}, {"inner/deep.txt", "2"}});
  set_sources({engine("temp"), engine("temp2"), engine("data"), engine("data\\inner")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, 1);  // the nested source brings deep.txt twice
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"t.txt", "t"},
                                  {"x.txt", "x"},
                                  {"top.txt", "1"},
                                  {"inner/deep.txt", "2"},
                                  {"deep.txt", "2"}},
                                 host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// A hand-written settings file may bring forward slashes; the job takes them as backslashes.
TEST_F(CopyJob, ForwardSlashesInTheInputsActAsBackslashes) {
  scratch::write_tree(host("src"), {{"sub/a.txt", "a"}});
  std::string source = engine("src");
  std::string dest = engine("out");
  for (std::string* path : {&source, &dest})
    for (char& c : *path)
      if (c == '\\') c = '/';
  job_state.source_count = 1;
  snapshot_source(0, source.c_str());
  snapshot_dest_root(dest.c_str());
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"sub/a.txt", "a"}}, host("out")));
  EXPECT_EQ(texts_of(report_kind::current_file), std::vector<std::string>{engine("out\\sub\\a.txt")});
}

// out is the job's own: the second copy finds the first only when its rename does.
class DuplicateSource : public CopyJob, public testing::WithParamInterface<bool> {};

TEST_P(DuplicateSource, CopiesTwiceAndTheSecondMeetsTheFirst) {
  const bool overwrite = GetParam();
  scratch::write_tree(host("s"), {{"f", "data"}});
  set_sources({engine("s"), engine("s")});
  set_dest(engine("out"));
  store(job_state.overwrite_all, overwrite ? 1 : 0);
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"f", "data"}}, host("out"))) << "no temporary left";
  std::vector<std::string> notices;
  if (!overwrite) notices.push_back(write_error_text(engine("out\\f")));
  EXPECT_EQ(error_texts(), notices);
  EXPECT_EQ(finished_outcome().files_copied, overwrite ? 2 : 1);
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 50, 0}));
}

INSTANTIATE_TEST_SUITE_P(Overwrite, DuplicateSource, testing::Bool());
}  // namespace
