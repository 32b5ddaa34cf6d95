// The scan over real folders: which files are listed under which path and slot, what their
// sizes add up to, and what is left out (too long, a folder met again below itself).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/source_scan.h"
#include "platform/testing/host_tools.h"
#include "tests/support/copy_job_fixture.h"

namespace {
using listed = std::vector<std::pair<std::string, int32_t>>;  // path and slot, sorted

class SourceScan : public CopyJob {
 protected:
  listed scan() {
    list_entry** list = nullptr;
    int32_t count = scan_sources(job_state.sources, job_state.source_count, list);
    EXPECT_GE(count, 0);
    listed entries;
    for (int32_t i = 0; i < count; ++i) entries.emplace_back(list[i]->path, static_cast<int32_t>(list[i]->source_slot));
    free_file_list(list, count);
    std::sort(entries.begin(), entries.end());
    return entries;
  }
};

TEST_F(SourceScan, ListsEveryFileAtEveryDepthAndNoFolder) {
  scratch::write_tree(host("src"), {{"a.txt", "aa"},
                                    {"sub/b.txt", "bbb"},
                                    {"sub/deeper/c.bin", std::string(5000, 'c')},
                                    {"乗/嘰.txt", "gbk"}});
  scratch::make_folders(host("src"), "empty/nested-empty");
  const std::string src = engine("src");
  for (const std::string& root : {src, src + "\\"}) {
    SCOPED_TRACE(root);
    job_data.total_bytes = 0;
    set_sources({root});
    EXPECT_EQ(scan(), (listed{{src + "\\a.txt", 0},
                              {src + "\\sub\\b.txt", 0},
                              {src + "\\sub\\deeper\\c.bin", 0},
                              {src + "\\乗\\嘰.txt", 0}}));
    EXPECT_EQ(job_data.total_bytes, 2u + 3 + 5000 + 3);
  }
  EXPECT_TRUE(error_texts().empty());
}

TEST_F(SourceScan, RootEndingInA5CTrailByteGetsItsBackslash) {
  scratch::write_tree(host("乗"), {{"x", "1"}});
  set_sources({engine("乗")});
  EXPECT_EQ(scan(), (listed{{engine("乗") + "\\x", 0}}));
}

TEST_F(SourceScan, DuplicateAndNestedSourcesListTheirFilesOncePerSlot) {
  scratch::write_tree(host("s"), {{"top.txt", "12345"}, {"inner/deep.txt", "678"}});
  set_sources({engine("s"), engine("missing"), engine("s\\inner"), engine("s")});
  EXPECT_EQ(scan(), (listed{{engine("s\\inner\\deep.txt"), 0},
                            {engine("s\\inner\\deep.txt"), 2},
                            {engine("s\\inner\\deep.txt"), 3},
                            {engine("s\\top.txt"), 0},
                            {engine("s\\top.txt"), 3}}));
  EXPECT_EQ(job_data.total_bytes, 2u * 5 + 3u * 3);
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(engine("missing"))})
      << "a missing source is named";
}

TEST_F(SourceScan, SizesAreCountedInSixtyFourBits) {
  const uint64_t five_gib = 5ULL << 30;
  scratch::make_folders(host(""), "big");
  if (!host_make_sized_file(host("big/huge.bin"), five_gib))
    GTEST_SKIP() << "this file system cannot hold a sparse 5 GiB file";
  scratch::write_file(host("big/small.bin"), "xyz");
  set_sources({engine("big")});
  EXPECT_EQ(scan().size(), 2u);
  EXPECT_EQ(job_data.total_bytes, five_gib + 3);
}

TEST_F(SourceScan, GrowsPastTheFirstThousandTwentyFourEntries) {
  scratch::make_folders(host(""), "many");
  for (int i = 0; i < 1025; ++i) scratch::write_file(host("many/" + std::to_string(i)), "");
  set_sources({engine("many")});
  listed entries = scan();
  ASSERT_EQ(entries.size(), 1025u);
  EXPECT_EQ(entries.front().first, engine("many\\0"));
}

// Paths of exactly 255 characters are listed; longer ones are reported and left out.
class LongSourcePaths : public SourceScan {
 protected:
  // A folder below src whose engine path is exactly length characters.
  std::string folder_of_length(size_t length) {
    std::string folder = engine("src");
    std::string relative = "src";
    while (folder.size() + 1 < length) {
      size_t part = std::min<size_t>(100, length - folder.size() - 1);
      if (length - folder.size() - 1 - part == 1) --part;  // leave room for one more level
      relative += "/" + std::string(part, 'd');
      folder += "\\" + std::string(part, 'd');
    }
    scratch::make_folders(host(""), relative);
    EXPECT_EQ(folder.size(), length);
    folder_host_ = host(relative);
    return folder;
  }
  std::string folder_host_;
};

TEST_F(LongSourcePaths, FilesUpToTwoHundredFiftyFiveCharactersAreListedLongerOnesReported) {
  std::string folder = folder_of_length(240);
  scratch::write_file(scratch::join(folder_host_, std::string(14, 'k')), "keep");  // 255
  scratch::write_file(scratch::join(folder_host_, std::string(15, 'l')), "long");  // 256
  scratch::write_file(scratch::join(folder_host_, std::string(18, 'm')), "long");  // 259
  set_sources({engine("src")});

  EXPECT_EQ(scan(), (listed{{folder + "\\" + std::string(14, 'k'), 0}}));
  EXPECT_EQ(job_data.total_bytes, 4u);
  std::vector<std::string> notices = error_texts();
  std::sort(notices.begin(), notices.end());
  EXPECT_EQ(notices,
            (std::vector<std::string>{read_error_text(folder + "\\" + std::string(15, 'l')),
                                      read_error_text(folder + "\\" + std::string(18, 'm'))}));

  recording_reports_reset();
  store(job_state.dont_notify, 1);
  EXPECT_EQ(scan().size(), 1u);
  EXPECT_TRUE(error_texts().empty());
}

TEST_F(LongSourcePaths, AFolderWhosePrefixWouldPassTheLimitIsReportedAndNotEntered) {
  std::string folder = folder_of_length(250);
  scratch::make_folders(folder_host_, "abcd");  // prefix of 250 + 1 + 4 + 1 = 256
  scratch::write_file(scratch::join(folder_host_, "abcd/f"), "x");
  scratch::write_file(scratch::join(folder_host_, "ok"), "y");
  set_sources({engine("src")});

  EXPECT_EQ(scan(), (listed{{folder + "\\ok", 0}}));
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(folder + "\\abcd")});
}

TEST_F(LongSourcePaths, ARootWithoutRoomForItsBackslashIsReported) {
  std::string folder = folder_of_length(255);
  set_sources({folder});
  EXPECT_TRUE(scan().empty());
  EXPECT_EQ(error_texts(), std::vector<std::string>{read_error_text(folder + "\\")});
}

TEST_F(SourceScan, AFolderLeadingBackToAnAncestorIsNotEnteredAgain) {
  scratch::write_tree(host("src"), {{"x.txt", "x"}, {"a/y.txt", "y"}});
  struct link_guard {
    std::string path;
    ~link_guard() { host_remove_folder_link(path); }
  } loop{host("src/a/loop")}, sibling{host("src/b")};
  if (!host_make_folder_link(loop.path, host("src")) ||
      !host_make_folder_link(sibling.path, host("src/a")))
    GTEST_SKIP() << "this host cannot make folder links";
  set_sources({engine("src")});

  // src\b leads to src\a, which is not above it: its files are listed under both names; the
  // links back up to src (from src\a and from src\b) are passed over.
  EXPECT_EQ(scan(), (listed{{engine("src\\a\\y.txt"), 0},
                            {engine("src\\b\\y.txt"), 0},
                            {engine("src\\x.txt"), 0}}));
  EXPECT_TRUE(error_texts().empty());
}

TEST_F(SourceScan, ClosingTheDialogEndsTheScanEarly) {
  scratch::write_tree(host("first"), {{"a", "1"}});
  scratch::write_tree(host("second"), {{"b", "2"}});
  // The scan reports nothing on its own; a refused long root (cut to its slot) gives the
  // moment to close.
  set_sources({engine("first"), engine("") + "\\" + std::string(300, 'z'), engine("second")});
  at_report([](const job_report& report) { return report.kind == report_kind::notice; },
            [] { store(job_state.closing, 1); });

  EXPECT_EQ(scan(), (listed{{engine("first\\a"), 0}}));
}
}  // namespace
