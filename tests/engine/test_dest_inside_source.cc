// A destination inside a source is never scanned as a source, however it is spelled: the
// second run copies the same files to the same places and nothing into out\out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "platform/testing/host_tools.h"
#include "res/texts.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
struct inside_case {
  const char* name;
  std::vector<std::string> sources;  // relative to the scratch folder
  const char* dest;                  // as the job names it
  const char* link;                  // when set: a link of this name to src/out, made first
  scratch::file_map copied;          // what src/out holds after each run
};

class DestinationInsideSource : public CopyJob,
                                public testing::WithParamInterface<inside_case> {};

TEST_P(DestinationInsideSource, IsNotCopiedIntoItselfOnTheNextRun) {
  const inside_case& c = GetParam();
  scratch::write_tree(host("src"), {{"a.txt", "1"}, {"sub/b.txt", "22"}});
  scratch::write_tree(host("other"), {{"c.txt", "333"}});
  scratch::make_folders(host("src"), "out");
  if (c.link && !host_make_folder_link(host(c.link), host("src/out")))
    GTEST_SKIP() << c.name << ": this host cannot link folders";
  std::vector<std::string> sources;
  for (const std::string& source : c.sources) sources.push_back(engine(source));
  set_sources(sources);
  set_dest(engine(c.dest));
  store(job_state.overwrite_all, 1);

  for (int run = 1; run <= 2; ++run) {
    store(job_state.running, 1);  // as Start sets it
    EXPECT_EQ(run_job(), 0) << c.name << ", run " << run;
    EXPECT_TRUE(scratch::same_tree(c.copied, host("src/out"))) << c.name << ", run " << run;
    EXPECT_EQ(texts_of(report_kind::estimate_line).back(), TEXT_ALL_DONE) << c.name;
    EXPECT_TRUE(error_texts().empty()) << c.name << ", run " << run;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, DestinationInsideSource,
    testing::Values(
        inside_case{"plain", {"src"}, "src/out", nullptr, {{"a.txt", "1"}, {"sub/b.txt", "22"}}},
        inside_case{"closing backslash", {"src"}, "src/out/", nullptr,
                    {{"a.txt", "1"}, {"sub/b.txt", "22"}}},
        inside_case{"dot step", {"src"}, "src/./out", nullptr,
                    {{"a.txt", "1"}, {"sub/b.txt", "22"}}},
        inside_case{"second source", {"other", "src"}, "src/out", nullptr,
                    {{"a.txt", "1"}, {"sub/b.txt", "22"}, {"c.txt", "333"}}},
        inside_case{"through a link", {"src"}, "link", "link",
                    {{"a.txt", "1"}, {"sub/b.txt", "22"}}}),
    case_name<inside_case>);
}  // namespace
