// What a crashed run left is cleared by the next run that writes there; a temporary another
// run still holds open, and every file not in the temporaries' exact shape, stay untouched.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

TEST_F(CopyJob, LeftoversOfACrashAreClearedAndNothingElse) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"sub/b.txt", "b"}});
  const file_map not_ours = {{"~0001", "an earlier version's"}, {"~fx0", "a user's"},
                             {"~fx000", "a user's too"}, {"~fx4g", "and this"}};
  file_map out = not_ours;
  out["~fx00"] = "partial copy of a crashed run";
  out["~fx3c"] = "another";
  out["sub/~fxff"] = "and one below";
  scratch::write_tree(host("out"), out);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();

  file_map expected = not_ours;
  expected["a.txt"] = "a";
  expected["sub/b.txt"] = "b";
  EXPECT_TRUE(scratch::same_tree(expected, host("out")));
  EXPECT_TRUE(error_texts().empty());
}

// Another run writing into the same destination holds its temporary open, as the seam makes
// it: this job neither clears it nor writes into it.
TEST_F(CopyJob, TemporaryOfARunStillAtWorkIsLeftAlone) {
  scratch::write_tree(host("src"), {{"a.txt", "a"}, {"b.txt", "b"}});
  scratch::make_folders(host(""), "out");
  bool taken = true;
  FILE* other = create_new_file_stream(engine("out\\~fx00").c_str(), &taken);
  ASSERT_NE(other, nullptr);
  ASSERT_GE(fputs("the other run's bytes", other), 0);
  ASSERT_EQ(fflush(other), 0);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(error_texts().empty());
  // Read once the other run lets go: while it holds the file, Windows lets no reader in that
  // does not share deletion.
  fclose(other);
  EXPECT_TRUE(scratch::same_tree(
      {{"a.txt", "a"}, {"b.txt", "b"}, {"~fx00", "the other run's bytes"}}, host("out")));
  // Once its maker lets go, the file is a leftover like any other.
  EXPECT_TRUE(delete_abandoned_file(engine("out\\~fx00").c_str()));
  EXPECT_TRUE(scratch::same_tree({{"a.txt", "a"}, {"b.txt", "b"}}, host("out")));
}
}  // namespace
