// Paths are read by GBK characters: a double-byte character whose second byte is 0x5C is never
// a separator, and a folder name ending in one does not end with a backslash.
#include <gtest/gtest.h>

#include <string>

#include "core/gbk_text.h"

namespace {
// "乗" is 81 5C, "嘰" 87 5C, "抃" 92 5C in GBK.
static_assert(sizeof("乗") == 3 && "乗"[1] == '\\', "sources must be compiled to GBK");

struct backslash_case {
  const char* name;
  const char* path;
  bool ends_with_backslash;
  int last_backslash;  // byte offset, -1 for none
};

class GbkBackslash : public testing::TestWithParam<backslash_case> {};

TEST_P(GbkBackslash, IsFoundByCharacter) {
  const backslash_case& c = GetParam();
  EXPECT_EQ(gbk_ends_with_backslash(c.path), c.ends_with_backslash) << c.name;
  const char* last = gbk_last_backslash(c.path);
  EXPECT_EQ(last ? static_cast<int>(last - c.path) : -1, c.last_backslash) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GbkBackslash,
    testing::Values(backslash_case{"empty", "", false, -1},
                    backslash_case{"drive root", "D:\\", true, 2},
                    backslash_case{"plain folder", "D:\\data", false, 2},
                    backslash_case{"folder with backslash", "D:\\data\\", true, 7},
                    backslash_case{"name ending in 81 5C", "D:\\乗", false, 2},
                    backslash_case{"name ending in 87 5C, then backslash", "D:\\嘰\\", true, 5},
                    backslash_case{"only trail bytes", "乗抃", false, -1},
                    backslash_case{"trail byte before file name", "E:\\抃\\a乗.txt", false, 5},
                    backslash_case{"ASCII after a 5C trail byte", "乗\\x", false, 2},
                    backslash_case{"lead byte cut off at the end", "D:\\a\x81", false, 2}));

TEST(GbkPath, NextBackslashSkipsTrailBytesAndDriveIsTwoCharactersWithColon) {
  const char* path = "乗嘰\\x\\";
  EXPECT_EQ(gbk_next_backslash(path), path + 4);
  EXPECT_EQ(gbk_next_backslash(path + 5), path + 6);
  EXPECT_EQ(gbk_next_backslash("乗"), nullptr);
  EXPECT_EQ(gbk_character_length("乗"), 2u);
  EXPECT_EQ(gbk_character_length("a"), 1u);

  EXPECT_EQ(drive_length("E:\\data"), 2u);
  EXPECT_EQ(drive_length("\\\\server\\share"), 0u);
  EXPECT_EQ(drive_length("x"), 0u);
  EXPECT_EQ(drive_length(""), 0u);
  EXPECT_EQ(drive_length("\\:x"), 0u) << "a backslash is the folder, never a drive letter";
}

TEST(GbkPath, CutOffCharacterIsALeadByteAloneAtTheEnd) {
  EXPECT_TRUE(gbk_ends_with_cut_character("D:\\a\x81"));
  EXPECT_TRUE(gbk_ends_with_cut_character("\x81"));
  EXPECT_FALSE(gbk_ends_with_cut_character("D:\\乗")) << "81 5C is whole";
  EXPECT_FALSE(gbk_ends_with_cut_character("乗\x81\x81")) << "81 81 is whole";
  EXPECT_TRUE(gbk_ends_with_cut_character("乗\x81\x81\x81"));
  EXPECT_FALSE(gbk_ends_with_cut_character("D:\\a"));
  EXPECT_FALSE(gbk_ends_with_cut_character(""));
}
}  // namespace
