// What a crashed run left is cleared by the next run; a temporary another run still holds
// open, every file no dead run's record names (whatever its name), and a file of a recorded
// identity that is not the first bytes of its recorded source, stay untouched.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/temp_record.h"
#include "platform/files.h"
#include "platform/testing/host_tools.h"
#include "res/texts.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

// A run caught between making its temporary and finishing it, as the engine leaves both its
// record and the temporary: crash() then ends it as kill -9 would, with nothing cleaned up.
struct run_at_work {
  temp_record record{};
  FILE* temp = nullptr;
};

// The temporary holds bytes, the first of its source's at source_path (a copy cut short).
void start_run(run_at_work& run, const std::string& temp_path, const std::string& source_path,
               const char* bytes) {
  temp_record_start(run.record);
  ASSERT_NE(run.record.stream, nullptr);
  bool taken = true;
  run.temp = create_new_file_stream(temp_path.c_str(), &taken);
  ASSERT_NE(run.temp, nullptr) << temp_path;
  ASSERT_GE(fputs(bytes, run.temp), 0);
  ASSERT_EQ(fflush(run.temp), 0);
  temp_record_note(run.record, run.temp, temp_path.c_str(), source_path.c_str());
}

std::vector<std::string> remarks() {
  std::vector<std::string> said;
  for (const job_report& report : recorded_reports())
    if (report.kind == report_kind::remark) said.push_back(describe(report));
  return said;
}

void crash(run_at_work& run) {
  fclose(run.temp);
  fclose(run.record.stream);
}

TEST_F(CopyJob, LeftoversOfACrashAreClearedAndNothingElse) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"sub/b.txt", "b"}});
  const file_map not_ours = {{"~0001", "an earlier version's"}, {"~fx0", "a user's"},
                             {"~fx000", "a user's too"}, {"~fx4g", "and this"},
                             {"sub/~f+00", "a user's, named exactly as a temporary"}};
  scratch::write_tree(host("out"), not_ours);
  scratch::write_tree(host("other"), {{"big", "partial copy of a run, and the rest"}});
  const std::string source = engine("other\\big");
  // Three runs at work at once, each with its temporary; then all three crash.
  std::vector<run_at_work> runs(3);
  ASSERT_NO_FATAL_FAILURE(start_run(runs[0], engine("out\\~fx00"), source, "partial copy of a run"));
  ASSERT_NO_FATAL_FAILURE(start_run(runs[1], engine("out\\~fx3c"), source, "partial"));
  ASSERT_NO_FATAL_FAILURE(start_run(runs[2], engine("out\\sub\\~fxff"), source, "p"));
  for (run_at_work& run : runs) crash(run);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();

  file_map expected = not_ours;
  expected["a.txt"] = "a";
  expected["sub/b.txt"] = "b";
  EXPECT_TRUE(scratch::same_tree(expected, host("out")));
  EXPECT_TRUE(error_texts().empty());
  EXPECT_TRUE(remarks().empty());
}

// The record names a path and the file that stood there: a user's file given that name after
// the crash is not the crashed run's, and stays.
TEST_F(CopyJob, AFileGivenARecordedTemporarysNameAfterTheCrashStays) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}});
  scratch::make_folders(host(""), "out");
  run_at_work run;
  scratch::write_tree(host("elsewhere"), {{"b.txt", "partial copy of a run, and the rest"}});
  ASSERT_NO_FATAL_FAILURE(
      start_run(run, engine("out\\~fx00"), engine("elsewhere\\b.txt"), "partial copy of a run"));
  crash(run);
  // Written while the leftover still stands, so that it cannot be given the leftover's identity.
  scratch::write_tree(host("out"), {{"mine", "a user's"}});
  ASSERT_EQ(delete_file(engine("out\\~fx00").c_str()), 0);
  ASSERT_EQ(std::rename(host("out/mine").c_str(), host("out/~fx00").c_str()), 0);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"a.txt", "a"}, {"~fx00", "a user's"}}, host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// Identities are reused (an inode freed, a FAT folder slot taken again): a file of the recorded
// identity stands at the recorded path, but its bytes are not the first ones of the recorded
// source, or there are none. It stays, and a remark names it.
struct unproven_case {
  const char* name;
  const char* temp_bytes;    // what the crashed run wrote
  const char* after_crash;   // the file's bytes, rewritten in place (same identity); null: kept
  const char* source_after;  // the source's bytes at the next run; null: the source is gone
};

class UnprovenLeftover : public CopyJob, public testing::WithParamInterface<unproven_case> {};

TEST_P(UnprovenLeftover, StaysAndIsNamedInARemark) {
  const unproven_case& c = GetParam();
  scratch::write_tree(host("src"), {{"a.txt", "a"}});
  scratch::write_tree(host("elsewhere"), {{"big", "partial copy of a run, and the rest"}});
  scratch::make_folders(host(""), "out");
  run_at_work run;
  ASSERT_NO_FATAL_FAILURE(
      start_run(run, engine("out\\~fx00"), engine("elsewhere\\big"), c.temp_bytes));
  crash(run);
  if (c.after_crash) scratch::write_file(host("out/~fx00"), c.after_crash);
  if (c.source_after)
    scratch::write_file(host("elsewhere/big"), c.source_after);
  else
    ASSERT_EQ(std::remove(host("elsewhere/big").c_str()), 0);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  const std::string kept = c.after_crash ? c.after_crash : c.temp_bytes;
  EXPECT_TRUE(scratch::same_tree({{"a.txt", "a"}, {"~fx00", kept}}, host("out"))) << c.name;
  EXPECT_EQ(remarks(), std::vector<std::string>{"remark leftover kept " + engine("out\\~fx00")})
      << c.name;
  EXPECT_TRUE(error_texts().empty()) << c.name;
}

constexpr const char* whole_source = "partial copy of a run, and the rest";
INSTANTIATE_TEST_SUITE_P(
    Reused, UnprovenLeftover,
    testing::Values(
        unproven_case{"a user's file in the freed identity", "partial copy", "a user's",
                      whole_source},
        unproven_case{"a user's file of the source's first bytes and one more", "partial",
                      "partial copy of a run, and the rest!", whole_source},
        unproven_case{"the source gone", "partial copy", nullptr, nullptr},
        unproven_case{"the source rewritten", "partial copy", nullptr,
                      "PARTIAL COPY of a run, and the rest"},
        unproven_case{"the source cut shorter than the leftover", "partial copy", nullptr,
                      "partial"}),
    case_name<unproven_case>);

// The record is written over for each temporary the run makes: after a longer path a shorter
// one is read whole and alone, so the crash's temporary is cleared, and the earlier one, in
// place by then, is named no more.
TEST_F(CopyJob, ARecordNamesOnlyTheLatestTemporaryOfItsRun) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}});
  scratch::write_tree(host("elsewhere"),
                      {{"b.txt", "partial copy and the rest"}, {"c.txt", "a finished copy"}});
  scratch::make_folders(host(""), "out/a folder with a longer name");
  run_at_work run;
  ASSERT_NO_FATAL_FAILURE(
      start_run(run, engine("out\\a folder with a longer name\\~fx00"),
                engine("elsewhere\\c.txt"), "a finished copy"));
  fclose(run.temp);
  ASSERT_EQ(std::rename(host("out/a folder with a longer name/~fx00").c_str(),
                        host("out/a folder with a longer name/done.txt").c_str()),
            0);
  bool taken = true;
  run.temp = create_new_file_stream(engine("out\\~fx00").c_str(), &taken);
  ASSERT_NE(run.temp, nullptr);
  ASSERT_GE(fputs("partial copy", run.temp), 0);
  ASSERT_EQ(fflush(run.temp), 0);
  temp_record_note(run.record, run.temp, engine("out\\~fx00").c_str(),
                   engine("elsewhere\\b.txt").c_str());
  crash(run);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(scratch::same_tree(
      {{"a.txt", "a"}, {"a folder with a longer name/done.txt", "a finished copy"}},
      host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// Another run writing into the same destination holds its record and its temporary open, as
// the engine makes them: this job neither clears it nor writes into it.
TEST_F(CopyJob, TemporaryOfARunStillAtWorkIsLeftAlone) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"b.txt", "b"}});
  scratch::make_folders(host(""), "out");
  run_at_work other;
  scratch::write_tree(host("elsewhere"), {{"c.txt", "the other run's bytes"}});
  ASSERT_NO_FATAL_FAILURE(start_run(other, engine("out\\~fx00"), engine("elsewhere\\c.txt"),
                                    "the other run's bytes"));
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(error_texts().empty());
  // Read once the other run lets go: while it holds the file, Windows lets no reader in that
  // does not share deletion.
  crash(other);
  EXPECT_TRUE(scratch::same_tree(
      {{"a.txt", "a"}, {"b.txt", "b"}, {"~fx00", "the other run's bytes"}}, host("out")));
  // Once its maker is gone, the file is a leftover like any other: the next run clears it.
  store(job_state.running, 1);  // as Start sets it
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"a.txt", "a"}, {"b.txt", "b"}}, host("out")));
}

// A file stands where the state folder must go (as root, whom permission bits do not stop):
// no record can be kept. The job says so once, in a remark naming the folder, and copies.
TEST_F(CopyJob, AStateFolderThatCannotHoldRecordsIsARemarkAndTheJobRuns) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"b.txt", "b"}});
  scratch::write_tree(host(""), {{"not a folder", "a file"}});
  host_set_temp_folder(host("not a folder/temp"));
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(scratch::same_tree({{"a.txt", "a"}, {"b.txt", "b"}}, host("out")));
  EXPECT_TRUE(error_texts().empty());
  const std::vector<std::string> said = remarks();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].rfind("remark no crash records ", 0), 0u) << said[0];
  EXPECT_NE(said[0].find("not a folder\\temp\\Ferrix\\"), std::string::npos) << said[0];
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(), TEXT_ALL_DONE);
}
}  // namespace
