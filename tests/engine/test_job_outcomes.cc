// How a job ends: every file copied, skipped or in error, counted on the end line, each file
// at exactly its own name below the destination, and nothing outside it touched. Names a
// Windows program cannot make (a backslash inside, a trailing dot) are made natively only.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "platform/testing/host_tools.h"
#include "res/texts.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
struct outcome_case {
  const char* name;
  scratch::file_map source;  // below src/
  scratch::file_map before;  // below out/ before the job
  scratch::file_map outside;  // beside src/ and out/: a name that climbs out would reach it
  bool overwrite_all;
  bool missing_source;     // a second source that does not exist
  scratch::file_map after;  // below out/ after the job
  std::vector<std::string> refused;  // relative paths named by read-error notices, in order
  std::vector<std::string> kept;     // relative destination paths named by exists notices
  int copied, skipped, errors;
};

class JobOutcome : public CopyJob, public testing::WithParamInterface<outcome_case> {};

// Whether the host file system keeps these paths as they are, side by side: a Windows program
// cannot make a name with a backslash inside, nor one ending in a dot or a blank, nor two names
// that differ only in case, the way a Linux disk holds them.
bool host_keeps_names(const std::string& folder, const scratch::file_map& files) {
  const std::string probe = scratch::join(folder, "probe");
  scratch::file_map made;
  host_make_folder(probe);
  for (const auto& [path, bytes] : files) {
    for (size_t slash = path.find('/'); slash != std::string::npos;
         slash = path.find('/', slash + 1))
      host_make_folder(scratch::join(probe, path.substr(0, slash)));
    if (FILE* file = fopen(scratch::join(probe, path).c_str(), "wb")) fclose(file);
    made[path] = "";
  }
  const bool kept = scratch::read_tree(probe) == made;
  scratch::remove_tree(probe);
  return kept;
}

TEST_P(JobOutcome, EndsWithItsCountsAndEveryFileInItsOwnPlace) {
  const outcome_case& c = GetParam();
  if (!host_keeps_names(host(""), c.source))
    GTEST_SKIP() << c.name << ": this host cannot make these names";
  scratch::write_tree(host("src"), c.source);
  scratch::make_folders(host(""), "out");
  scratch::write_tree(host("out"), c.before);
  scratch::write_tree(host(""), c.outside);
  std::vector<std::string> sources{engine("src")};
  if (c.missing_source) sources.push_back(engine("gone"));
  set_sources(sources);
  set_dest(engine("out"));
  store(job_state.overwrite_all, c.overwrite_all ? 1 : 0);

  EXPECT_EQ(run_job(), 0);
  EXPECT_TRUE(scratch::same_tree(c.after, host("out"))) << c.name;
  for (const auto& [path, bytes] : scratch::read_tree(host(""))) {
    if (path.rfind("out/", 0) != 0 && path.rfind("src/", 0) != 0) {
      EXPECT_EQ(c.outside.at(path), bytes) << c.name << ": " << path << " changed";
    }
  }
  EXPECT_FALSE(scratch::exists(host("../evil"))) << c.name << ": nothing outside the test";
  std::vector<std::string> expected_notices;
  for (const std::string& path : c.refused) expected_notices.push_back(read_error_text(engine(path)));
  for (const std::string& path : c.kept) expected_notices.push_back(write_error_text(engine(path)));
  EXPECT_EQ(error_texts(), expected_notices) << c.name;
  const bool clean = c.skipped == 0 && c.errors == 0;
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(),
            clean ? std::string(TEXT_ALL_DONE) : end_line_counts(c.copied, c.skipped, c.errors))
      << c.name;
  uint64_t copied_bytes = 0;
  for (const auto& [path, bytes] : c.after)
    if (!c.before.count(path) || c.overwrite_all) copied_bytes += bytes.size();
  EXPECT_EQ(job_data.total_bytes, copied_bytes) << c.name << ": what was not copied is not left";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JobOutcome,
    testing::Values(
        outcome_case{"every_file_copied", {{"a", "1"}, {"d/b", "22"}}, {}, {}, false, false,
                     {{"a", "1"}, {"d/b", "22"}}, {}, {}, 2, 0, 0},
        outcome_case{"existing_file_kept", {{"a", "1"}, {"b", "22"}}, {{"b", "old"}}, {}, false,
                     false, {{"a", "1"}, {"b", "old"}}, {}, {"out/b"}, 1, 1, 0},
        outcome_case{"missing_source_named", {{"a", "1"}}, {}, {}, false, true, {{"a", "1"}},
                     {"gone"}, {}, 1, 0, 1},
        outcome_case{"name_that_climbs_out", {{"ok", "1"}, {"..\\bait", "666"}}, {},
                     {{"bait", "not a source file"}}, true, false, {{"ok", "1"}},
                     {"src/..\\bait"}, {}, 1, 0, 1},
        outcome_case{"folder_name_with_a_separator", {{"x\\y/f", "1"}, {"g", "22"}}, {}, {}, true,
                     false, {{"g", "22"}}, {"src/x\\y"}, {}, 1, 0, 1},
        outcome_case{"case_twins_keep_the_first_copy", {{"Report.txt", "first"},
                     {"report.txt", "second"}}, {}, {}, true, false, {{"Report.txt", "first"}}, {},
                     {"out/report.txt"}, 1, 1, 0},
        outcome_case{"gbk_names_apart_only_by_a_second_byte_fold_are_both_copied",
                     {{"圖.txt", "1"}, {"坉.txt", "22"}, {"僅/a", "333"}, {"僪/a", "4444"},
                      {"僪/b", "5"}},
                     {}, {}, true, false,
                     {{"圖.txt", "1"}, {"坉.txt", "22"}, {"僅/a", "333"}, {"僪/a", "4444"},
                      {"僪/b", "5"}},
                     {}, {}, 5, 0, 0},
        // Ｂ sorts between Ａ and ａ, Δz between Δ and δ: twins need not be neighbours.
        outcome_case{"twins_outside_ascii_keep_the_first_copy",
                     {{"Ａ.txt", "1"}, {"Ｂ.txt", "2"}, {"ａ.txt", "3"}, {"Δ.txt", "4"},
                      {"Δz.txt", "5"}, {"δ.txt", "6"}, {"Я/f", "7"}, {"я/f", "8"},
                      {"第Ⅳ卷", "9"}, {"第ⅳ卷", "10"}},
                     {}, {}, true, false,
                     {{"Ａ.txt", "1"}, {"Ｂ.txt", "2"}, {"Δ.txt", "4"}, {"Δz.txt", "5"},
                      {"Я/f", "7"}, {"第ⅳ卷", "10"}},
                     {}, {"out/ａ.txt", "out/δ.txt", "out/я/f", "out/第Ⅳ卷"}, 6, 4, 0},
        outcome_case{"trailing_dots_and_blanks_are_names_of_their_own",
                     {{"a", "1"}, {"a.", "22"}, {"d./g", "333"}, {"d/g", "4444"}, {"b ", "5"}},
                     {}, {}, false, false,
                     {{"a", "1"}, {"a.", "22"}, {"d./g", "333"}, {"d/g", "4444"}, {"b ", "5"}},
                     {}, {}, 5, 0, 0}),
    case_name<outcome_case>);
}  // namespace
