// Destination folders are attempted for every file: a folder met again later, or one whose
// making failed, is made (or attempted) again.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/copy_job_fixture.h"

namespace {
using scratch::file_map;

TEST_F(CopyJob, FolderMetAgainAfterItsSubfolderStillGetsItsFiles) {
  // Sorted: a\1.txt, a\sub\2.txt, a\z.txt, b\3.txt.
  const file_map tree = {{"a/1.txt", "one"},
                         {"a/sub/2.txt", "two"},
                         {"a/z.txt", "zed"},
                         {"b/3.txt", "three"}};
  scratch::write_tree(host("src"), tree);
  set_sources({engine("src")});
  set_dest(engine("out"));
  run_job();
  EXPECT_TRUE(scratch::same_tree(tree, host("out")));
  EXPECT_TRUE(error_texts().empty());
}

TEST_F(CopyJob, FolderThatCouldNotBeMadeIsAttemptedAgainForTheNextFile) {
  scratch::write_tree(host("src"), {{"sub/a.txt", "first"}, {"sub/b.txt", "second"}});
  scratch::write_tree(host("out"), {{"sub", "a file where the folder belongs"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  const std::string second = engine("out\\sub\\b.txt");
  // The obstacle goes away once the first file has failed.
  at_report(
      [&](const job_report& r) {
        return r.kind == report_kind::current_file && r.text == second;
      },
      [&] { std::remove(host("out/sub").c_str()); });

  run_job();
  EXPECT_EQ(error_texts(), std::vector<std::string>{write_error_text(engine("out\\sub\\a.txt"))});
  EXPECT_TRUE(scratch::same_tree({{"sub/b.txt", "second"}}, host("out")))
      << "the second file's folder was not attempted again";
}
}  // namespace
