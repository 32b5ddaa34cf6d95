// A root whose text ends in a cut-off character (a GBK lead byte with no second byte) names no
// folder: the backslash put after it would become that character's second byte, so the path
// would lead somewhere else. Such a source lists nothing and such a destination takes no file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/job_state.h"
#include "engine/file_list.h"
#include "engine/source_scan.h"
#include "tests/support/copy_job_fixture.h"

namespace {
// "乗" is 81 5C: 81 alone is its lead byte cut off, and with a backslash after it, it is "乗".
constexpr char cut_off[] = "\x81";
static_assert(sizeof("乗") == 3 && "乗"[0] == cut_off[0], "sources must be compiled to GBK");

TEST_F(CopyJob, SourceEndingInACutOffCharacterListsNotTheFolderItWouldMerge) {
  scratch::write_tree(host("乗"), {{"x.txt", "not asked for"}});
  set_sources({engine("") + "\\" + cut_off, engine("乗")});
  list_entry** list = nullptr;
  int32_t count = scan_sources(job_state.sources, job_state.source_count, list);
  std::vector<std::pair<std::string, int32_t>> listed;
  for (int32_t i = 0; i < count; ++i) listed.emplace_back(list[i]->path, static_cast<int32_t>(list[i]->source_slot));
  free_file_list(list, count);
  EXPECT_EQ(listed, (std::vector<std::pair<std::string, int32_t>>{{engine("乗\\x.txt"), 1}}))
      << "only the second source, the folder itself";
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(engine("") + "\\" + cut_off)})
      << "the refused root is named";
}

TEST_F(CopyJob, DestinationEndingInACutOffCharacterTakesNoFile) {
  scratch::write_tree(host("src"), {{"a.txt", "aa"}, {"sub/b.txt", "bb"}});
  scratch::make_folders(host(""), "out");
  set_sources({engine("src")});
  const std::string dest = engine("out") + "\\" + cut_off;
  set_dest(dest);
  run_job();
  // Composed, the paths read out\乗a.txt and out\乗sub\b.txt: beside the named root.
  const std::vector<std::string> composed = {dest + "\\a.txt", dest + "\\sub\\b.txt"};
  EXPECT_EQ(texts_of(report_kind::current_file), composed);
  EXPECT_EQ(error_texts(), (std::vector<std::string>{write_error_text(composed[0]),
                                                     write_error_text(composed[1])}));
  EXPECT_TRUE(scratch::same_tree({}, host("out"))) << "nothing written";
  EXPECT_TRUE(scratch::folders_below(host("out")).empty()) << "no folder made";
  EXPECT_EQ(positions_of(report_kind::overall_progress), (std::vector<int32_t>{100, 50, 0}));
}
}  // namespace
