// What a crashed run left is cleared by the next run; a temporary another run still holds
// open, and every file no dead run's record names (whatever its name), stay untouched.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/temp_record.h"
#include "platform/files.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

// A run caught between making its temporary and finishing it, as the engine leaves both its
// record and the temporary: crash() then ends it as kill -9 would, with nothing cleaned up.
struct run_at_work {
  temp_record record{};
  FILE* temp = nullptr;
};

void start_run(run_at_work& run, const std::string& temp_path, const char* bytes) {
  temp_record_start(run.record);
  ASSERT_NE(run.record.stream, nullptr);
  bool taken = true;
  run.temp = create_new_file_stream(temp_path.c_str(), &taken);
  ASSERT_NE(run.temp, nullptr) << temp_path;
  ASSERT_GE(fputs(bytes, run.temp), 0);
  ASSERT_EQ(fflush(run.temp), 0);
  temp_record_note(run.record, run.temp, temp_path.c_str());
}

void crash(run_at_work& run) {
  fclose(run.temp);
  fclose(run.record.stream);
}

TEST_F(CopyJob, LeftoversOfACrashAreClearedAndNothingElse) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"sub/b.txt", "b"}});
  const file_map not_ours = {{"~0001", "an earlier version's"}, {"~fx0", "a user's"},
                             {"~fx000", "a user's too"}, {"~fx4g", "and this"},
                             {"sub/~fx00", "a user's, named exactly as a temporary"}};
  scratch::write_tree(host("out"), not_ours);
  // Three runs at work at once, each with its temporary; then all three crash.
  std::vector<run_at_work> runs(3);
  ASSERT_NO_FATAL_FAILURE(start_run(runs[0], engine("out\\~fx00"), "partial copy of a run"));
  ASSERT_NO_FATAL_FAILURE(start_run(runs[1], engine("out\\~fx3c"), "another"));
  ASSERT_NO_FATAL_FAILURE(start_run(runs[2], engine("out\\sub\\~fxff"), "and one below"));
  for (run_at_work& run : runs) crash(run);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();

  file_map expected = not_ours;
  expected["a.txt"] = "a";
  expected["sub/b.txt"] = "b";
  EXPECT_TRUE(scratch::same_tree(expected, host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// The record names a path and the file that stood there: a user's file given that name after
// the crash is not the crashed run's, and stays.
TEST_F(CopyJob, AFileGivenARecordedTemporarysNameAfterTheCrashStays) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}});
  scratch::make_folders(host(""), "out");
  run_at_work run;
  ASSERT_NO_FATAL_FAILURE(start_run(run, engine("out\\~fx00"), "partial copy of a run"));
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

// The record is written over for each temporary the run makes: after a longer path a shorter
// one is read whole and alone, so the crash's temporary is cleared, and the earlier one, in
// place by then, is named no more.
TEST_F(CopyJob, ARecordNamesOnlyTheLatestTemporaryOfItsRun) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}});
  scratch::make_folders(host(""), "out/a folder with a longer name");
  run_at_work run;
  ASSERT_NO_FATAL_FAILURE(
      start_run(run, engine("out\\a folder with a longer name\\~fx00"), "a finished copy"));
  fclose(run.temp);
  ASSERT_EQ(std::rename(host("out/a folder with a longer name/~fx00").c_str(),
                        host("out/a folder with a longer name/done.txt").c_str()),
            0);
  bool taken = true;
  run.temp = create_new_file_stream(engine("out\\~fx00").c_str(), &taken);
  ASSERT_NE(run.temp, nullptr);
  ASSERT_GE(fputs("partial copy", run.temp), 0);
  ASSERT_EQ(fflush(run.temp), 0);
  temp_record_note(run.record, run.temp, engine("out\\~fx00").c_str());
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
  ASSERT_NO_FATAL_FAILURE(start_run(other, engine("out\\~fx00"), "the other run's bytes"));
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
}  // namespace
