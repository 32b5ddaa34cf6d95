// Where each file lands: the relative folder taken from the source it was found under, the
// destination root with or without its backslash, the folder levels made on the way, and the
// temporary name that stands in for the file until it is complete.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/dest_path.h"
#include "tests/support/case_name.h"

namespace {
struct dest_case {
  const char* name;
  const char* source_file;
  const char* source_slot;
  const char* dest_root;
  const char* dest_file;
  std::vector<std::string> folders;  // levels attempted, outermost first
};

std::string dest_of(const dest_case& c) {
  path_pieces pieces;
  split_file_path(c.source_file, pieces);
  std::string drive_and_folder = std::string(pieces.drive) + pieces.folder;
  char out[1024];
  size_t length =
      compose_dest_path(c.dest_root, relative_folder_of(drive_and_folder.c_str(), c.source_slot),
                        pieces.name, out, sizeof out);
  EXPECT_EQ(length, strlen(out)) << c.name;
  return out;
}

std::vector<std::string> levels_of(const char* dest_file) {
  std::vector<std::string> levels;
  size_t cursor = 0;
  char level[job_path_size];
  while (next_folder_level(dest_file, cursor, level)) levels.push_back(level);
  return levels;
}

class DestinationPath : public testing::TestWithParam<dest_case> {};

TEST_P(DestinationPath, KeepsTheFolderBelowItsSource) {
  const dest_case& c = GetParam();
  EXPECT_EQ(dest_of(c), c.dest_file) << c.name;
  EXPECT_EQ(levels_of(c.dest_file), c.folders) << c.name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Roots, DestinationPath,
    testing::Values(
        dest_case{"file directly in its source",
                  "E:\\data\\a.txt", "E:\\data", "D:\\out", "D:\\out\\a.txt", {"D:\\out\\"}},
        dest_case{"file in a subfolder",
                  "E:\\data\\sub\\c.txt", "E:\\data", "D:\\out", "D:\\out\\sub\\c.txt",
                  {"D:\\out\\", "D:\\out\\sub\\"}},
        dest_case{"source with trailing backslash",
                  "E:\\data\\sub\\c.txt", "E:\\data\\", "D:\\out", "D:\\out\\sub\\c.txt",
                  {"D:\\out\\", "D:\\out\\sub\\"}},
        dest_case{"destination with trailing backslash",
                  "E:\\data\\sub\\c.txt", "E:\\data", "D:\\out\\", "D:\\out\\sub\\c.txt",
                  {"D:\\out\\", "D:\\out\\sub\\"}},
        dest_case{"source at a drive root",
                  "E:\\a.txt", "E:\\", "D:\\out", "D:\\out\\a.txt", {"D:\\out\\"}},
        dest_case{"below a drive-root source",
                  "E:\\x\\b.txt", "E:\\", "D:\\out", "D:\\out\\x\\b.txt",
                  {"D:\\out\\", "D:\\out\\x\\"}},
        dest_case{"destination at a drive root",
                  "E:\\data\\x\\b.txt", "E:\\data", "D:\\", "D:\\x\\b.txt", {"D:\\x\\"}},
        dest_case{"file into a drive-root destination",
                  "E:\\data\\a.txt", "E:\\data", "D:\\", "D:\\a.txt", {}},
        dest_case{"network paths",
                  "\\\\pc\\share\\s\\f.txt", "\\\\pc\\share", "\\\\nas\\out", "\\\\nas\\out\\s\\f.txt",
                  {"\\\\", "\\\\nas\\", "\\\\nas\\out\\", "\\\\nas\\out\\s\\"}},
        dest_case{"overlapping sources use the slot found under",
                  "E:\\temp2\\x.txt", "E:\\temp2", "D:\\out", "D:\\out\\x.txt", {"D:\\out\\"}},
        dest_case{"source lying inside another",
                  "E:\\data\\sub\\c.txt", "E:\\data\\sub", "D:\\out", "D:\\out\\c.txt", {"D:\\out\\"}},
        dest_case{"source folder ending in 81 5C",
                  "E:\\乗\\a.txt", "E:\\乗", "D:\\out", "D:\\out\\a.txt", {"D:\\out\\"}},
        dest_case{"subfolder and destination ending in 5C trail bytes",
                  "E:\\s\\嘰\\抃", "E:\\s", "D:\\乗", "D:\\乗\\嘰\\抃",
                  {"D:\\乗\\", "D:\\乗\\嘰\\"}}));
// clang-format on

TEST(DestinationPathLimits, ComposedLengthIsReportedWholeWhenTheBufferIsShort) {
  std::string root(250, 'r');
  char out[job_path_size];
  size_t length = compose_dest_path(root.c_str(), "\\sub\\", "name.txt", out, sizeof out);
  EXPECT_EQ(length, 250u + 1 + 4 + 8);
  EXPECT_EQ(strlen(out), sizeof out - 1);  // cut, never overrun
}

TEST(DestinationPathLimits, RelativeFolderNeverRunsPastItsText) {
  EXPECT_STREQ(relative_folder_of("E:\\a\\", "E:\\a\\longer\\than\\the\\folder"), "");
}

TEST(TemporaryName, IsShortBesideTheDestinationAndNeverItsOwnName) {
  char temp[windows_path_size];
  ASSERT_TRUE(compose_temp_path("D:\\out\\sub\\a.txt", "D:\\out", 0x1a, temp));
  EXPECT_STREQ(temp, "D:\\out\\sub\\~f+1a");

  // Beside a destination of the longest allowed length it still fits in 259 characters.
  std::string longest = "D:\\" + std::string(250, 'f') + "\\a";
  ASSERT_EQ(longest.size(), 255u);
  ASSERT_TRUE(compose_temp_path(longest.c_str(), longest.c_str(), 0xffff, temp));
  EXPECT_EQ(std::string(temp), "D:\\" + std::string(250, 'f') + "\\~f+ff");
  EXPECT_LE(strlen(temp), 259u);

  // A file that is itself called like a temporary name never gets that name as its temporary.
  EXPECT_FALSE(compose_temp_path("D:\\out\\~f+07", "D:\\out", 7, temp));
  EXPECT_FALSE(compose_temp_path("D:\\out\\~F+AB", "D:\\out", 0xab, temp));
  EXPECT_TRUE(compose_temp_path("D:\\out\\~f+07", "D:\\out", 8, temp));
  EXPECT_STREQ(temp, "D:\\out\\~f+08");

  ASSERT_TRUE(compose_temp_path("D:\\乗\\x", "D:\\乗", 1, temp));
  EXPECT_STREQ(temp, "D:\\乗\\~f+01");

  // A name beginning with a colon just after a first backslash is no drive "\:".
  ASSERT_TRUE(compose_temp_path("\\:x", "\\", 2, temp));
  EXPECT_STREQ(temp, "\\~f+02");
}

struct temp_place_case {
  const char* name;
  size_t root_length;  // the destination root "D:\rrr...", at least 4
  size_t path_length;  // the destination file's path, below root_length's root
  size_t name_length;  // of the file's own name
  const char* expected_folder;  // "beside" or "root"
};

class TemporaryPlace : public testing::TestWithParam<temp_place_case> {};

// Every destination path of up to 255 characters has a temporary path of at most 255 (which
// the literal form of a folder ending in a dot takes), beside it or in the destination's
// root, as long as the root leaves room for the name; else of at most 259 beside it (the
// plain form, for a path with no name ending in a dot or a blank).
TEST_P(TemporaryPlace, FitsBesideOrInTheRoot) {
  const temp_place_case& c = GetParam();
  const std::string root = "D:\\" + std::string(c.root_length - 3, 'r');
  const std::string name(c.name_length, 'n');
  const size_t folder_length = c.path_length - name.size() - 1 - root.size() - 1;
  const std::string folder = root + "\\" + std::string(folder_length - 1, 'f') + ".";
  const std::string path = folder + "\\" + name;
  ASSERT_EQ(path.size(), c.path_length) << c.name;
  char temp[windows_path_size];
  ASSERT_TRUE(compose_temp_path(path.c_str(), root.c_str(), 3, temp)) << c.name;
  const std::string place = std::string(c.expected_folder) == "root" ? root : folder;
  EXPECT_EQ(std::string(temp), place + "\\~f+03") << c.name;
  EXPECT_LE(strlen(temp), c.root_length > 249 ? 259u : 255u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, TemporaryPlace,
    testing::Values(temp_place_case{"short path", 10, 40, 5, "beside"},
                    temp_place_case{"253 with a short name", 10, 253, 1, "root"},
                    temp_place_case{"254 with a short name", 10, 254, 3, "root"},
                    temp_place_case{"255 with a short name", 10, 255, 2, "root"},
                    temp_place_case{"255 with a name as long as the temporary's", 10, 255, 5,
                                    "beside"},
                    temp_place_case{"root leaving just room", 249, 255, 1, "root"},
                    temp_place_case{"long root, plain form beside", 250, 255, 1, "beside"}),
    case_name<temp_place_case>);

TEST(TemporaryName, OnlyTheExactShapeIsOne) {
  EXPECT_TRUE(is_temp_name("~f+00"));
  EXPECT_TRUE(is_temp_name("~f+a9"));
  for (const char* other : {"~0000", "~ffff", "~fx00", "~f+0", "~f+000", "~f+0A", "~F+00",
                            "~f+00.txt", "~f+0g", "f+000", "~f+ 0", "~e+00", ""})
    EXPECT_FALSE(is_temp_name(other)) << other;
}
}  // namespace
