// A verified unattended run of a few hundred small files in a few folders: every copy read
// back before it gets its name, the destination byte-identical to the source, exit code 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/tree_invariant.h"
#include "tests/gui/unattended_fixture.h"

namespace {
constexpr int file_count = 300;
const char* const subfolders[] = {"", "\\docs", "\\docs\\old", "\\photos"};

using VerifiedJob = UnattendedFixture;

TEST_F(VerifiedJob, CopiesEveryFileWholeAndEndsWithZero) {
  const std::string source = folder("source");
  const std::string dest = folder("dest");
  for (const char* subfolder : subfolders)
    if (subfolder[0] != '\0') folder(std::string("source") + subfolder);
  // Sizes from empty to past one chunk of the copy buffer, none of them alike in contents.
  for (int i = 0; i < file_count; ++i) {
    const std::string path = source + subfolders[i % 4] + "\\f" + std::to_string(i) + ".bin";
    ASSERT_TRUE(file_tree::write_file(path, file_tree::pattern_bytes((i * 977) % 70000, i)));
  }
  ASSERT_NO_FATAL_FAILURE(write_job({source}, dest));
  ASSERT_TRUE(start("{job} /start /verify /log {log}"));

  EXPECT_EQ(exit_code_without_boxes(), 0);
  EXPECT_EQ(file_tree::files_below(dest), file_tree::files_below(source));
  EXPECT_TRUE(tree_invariant::destination_holds_only_copies({source}, dest));
  char line[2048];
  snprintf(line, sizeof line, TEXT_LOG_START, job_path.c_str(), 1, dest.c_str());
  char end_line[512];
  snprintf(end_line, sizeof end_line, TEXT_LOG_END, TEXT_ALL_DONE, "*");
  EXPECT_TRUE(log_becomes({std::string(line) + TEXT_LOG_VERIFY_ON, end_line}));
}
}  // namespace
