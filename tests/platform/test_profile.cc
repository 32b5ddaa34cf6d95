// The profile seam reads and writes INI files by the Windows profile conventions on every
// host: the same cases run natively against the POSIX backend and under Wine against the
// real profile API.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/profile.h"
#include "tests/support/settings_scratch.h"
#include "tests/support/case_name.h"

namespace {
struct text_case {
  const char* name;
  const char* file;
  const char* key;
  const char* expected;
};

class ProfileText : public SettingsScratch, public testing::WithParamInterface<text_case> {};

TEST_P(ProfileText, ReadsTheValueTheConventionsGive) {
  const std::string path = path_of("case.ini");
  write_raw(path, GetParam().file);
  char value[64];
  profile_read_text("Ferrix", GetParam().key, value, sizeof value, path.c_str());
  EXPECT_EQ(std::string(value), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Conventions, ProfileText,
    testing::Values(
        text_case{"plain", "[Ferrix]\r\nkey=value\r\n", "key", "value"},
        text_case{"section name in any case", "[fErRiX]\r\nkey=v\r\n", "key", "v"},
        text_case{"key name in any case", "[Ferrix]\r\nKEY=v\r\n", "kEy", "v"},
        text_case{"blanks around name and value", "[Ferrix]\r\n  key \t=  v w \t \r\n", "key",
                  "v w"},
        text_case{"double quotes removed", "[Ferrix]\r\nkey=\" a b \"\r\n", "key", " a b "},
        text_case{"single quotes removed", "[Ferrix]\r\nkey=' a b '\r\n", "key", " a b "},
        text_case{"one pair only", "[Ferrix]\r\nkey=\"\"a\"\"\r\n", "key", "\"a\""},
        text_case{"mismatched quotes kept", "[Ferrix]\r\nkey=\"a b'\r\n", "key", "\"a b'"},
        text_case{"lone quote kept", "[Ferrix]\r\nkey=\"\r\n", "key", "\""},
        text_case{"empty quotes", "[Ferrix]\r\nkey=\"\"\r\n", "key", ""},
        text_case{"inner quotes kept", "[Ferrix]\r\nkey=a\"b\"\r\n", "key", "a\"b\""},
        text_case{"equals and semicolon inside", "[Ferrix]\r\nkey=a=b;c\r\n", "key", "a=b;c"},
        text_case{"comment line skipped", "[Ferrix]\r\n;key=x\r\nkey=v\r\n", "key", "v"},
        text_case{"line feeds only", "[Ferrix]\nkey=v\n", "key", "v"},
        text_case{"no final line end", "[Ferrix]\r\nkey=v", "key", "v"},
        text_case{"blank lines inside", "[Ferrix]\r\n\r\n\r\nkey=v\r\n", "key", "v"},
        text_case{"key of another section", "[Other]\r\nkey=x\r\n[Ferrix]\r\na=1\r\n", "key", ""},
        text_case{"key before any section", "key=x\r\n[Ferrix]\r\na=1\r\n", "key", ""},
        text_case{"first of two equal keys", "[Ferrix]\r\nkey=a\r\nkey=b\r\n", "key", "a"},
        text_case{"double-byte value ending in 0x5C", "[Ferrix]\r\nkey=D:\\\x81\x5C\r\n", "key",
                  "D:\\\x81\x5C"},
        text_case{"missing section", "[Other]\r\nkey=x\r\n", "key", ""},
        text_case{"blanks inside the brackets", "[ Ferrix ]\r\nkey=v\r\n", "key", "v"},
        text_case{"only the first section of a name",
                  "[Ferrix]\r\na=1\r\n[Other]\r\n[Ferrix]\r\nkey=v\r\n", "key", ""},
        text_case{"cut to the buffer",
                  "[Ferrix]\r\nkey="
                  "0123456789012345678901234567890123456789012345678901234567890123456789\r\n",
                  "key", "012345678901234567890123456789012345678901234567890123456789012"}),
    case_name<text_case>);

struct int_case {
  const char* name;
  const char* value_line;  // "" for no key at all
  int32_t expected;
};

class ProfileInt : public SettingsScratch, public testing::WithParamInterface<int_case> {};

TEST_P(ProfileInt, ParsesLikeThePlatform) {
  const std::string path = path_of("int.ini");
  write_raw(path, std::string("[Ferrix]\r\n") + GetParam().value_line + "\r\n");
  EXPECT_EQ(profile_read_int("Ferrix", "key", 4321, path.c_str()), GetParam().expected)
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Conventions, ProfileInt,
                         testing::Values(int_case{"decimal", "key=92341", 92341},
                                         int_case{"negative", "key=-7", -7},
                                         int_case{"plus sign", "key=+5", 5},
                                         int_case{"blanks around", "key=   42  ", 42},
                                         int_case{"leading zeros", "key=007", 7},
                                         int_case{"digits then text", "key=12abc", 12},
                                         int_case{"text", "key=abc", 0},
                                         int_case{"sign alone", "key=-", 0},
                                         int_case{"quoted", "key=\"3\"", 3},
                                         int_case{"empty value", "key=", 4321},
                                         int_case{"missing key", "other=1", 4321}),
                         case_name<int_case>);

class ProfileFile : public SettingsScratch {
 protected:
  std::string read_text(const char* section, const char* key) {
    char value[256];
    profile_read_text(section, key, value, sizeof value, path_.c_str());
    return value;
  }
  std::string list_keys(size_t size, bool* complete) {
    std::string buffer(size, '\x7f');
    *complete = profile_list_keys("Ferrix", buffer.data(), size, path_.c_str());
    size_t end = 0;
    while (end < size && buffer[end] != '\0') end += strlen(buffer.c_str() + end) + 1;
    return buffer.substr(0, end);
  }
  std::string path_ = path_of("file.ini");
};

TEST_F(ProfileFile, MissingFileReadsDefaults) {
  EXPECT_EQ(read_text("Ferrix", "key"), "");
  EXPECT_EQ(profile_read_int("Ferrix", "key", -3, path_.c_str()), -3);
  bool complete = false;
  EXPECT_EQ(list_keys(64, &complete), "");
  EXPECT_TRUE(complete);
}

TEST_F(ProfileFile, ListsKeyNamesOfTheSectionInFileOrder) {
  write_raw(path_,
            "[Other]\r\nx=1\r\n[Ferrix]\r\na=1\r\n;c=comment\r\nloose line\r\n  Bee = 2\r\n\r\n"
            "empty=\r\n[Third]\r\ny=2\r\n");
  bool complete = false;
  EXPECT_EQ(list_keys(64, &complete), std::string("a\0Bee\0empty\0", 12));
  EXPECT_TRUE(complete);
}

TEST_F(ProfileFile, ListCutShortHoldsWholeNamesOnly) {
  write_raw(path_, "[Ferrix]\r\nsrc0=a\r\nsrc1=b\r\nsrc12=c\r\n");
  bool complete = true;
  // Room for "src0", "src1" and part of "src12".
  const std::string listed = list_keys(14, &complete);
  EXPECT_FALSE(complete);
  EXPECT_EQ(listed, std::string("src0\0src1\0", 10));
}

TEST_F(ProfileFile, WritesANewFileAsOneSection) {
  ASSERT_TRUE(profile_write_text("Ferrix", "key", "value", path_.c_str()));
  ASSERT_TRUE(profile_write_text("Ferrix", "next", "2", path_.c_str()));
  EXPECT_EQ(read_raw(path_), "[Ferrix]\r\nkey=value\r\nnext=2\r\n");
}

TEST_F(ProfileFile, ReplacesAValueInPlace) {
  write_raw(path_, "[Ferrix]\r\na=1\r\nkey=old\r\nb=2\r\n");
  ASSERT_TRUE(profile_write_text("Ferrix", "KEY", "new", path_.c_str()));
  EXPECT_EQ(read_text("Ferrix", "key"), "new");
  EXPECT_EQ(read_text("Ferrix", "a"), "1");
  EXPECT_EQ(read_text("Ferrix", "b"), "2");
  bool complete = false;
  EXPECT_EQ(list_keys(64, &complete), std::string("a\0key\0b\0", 8))
      << "replaced in place, the file's spelling of the name kept";
}

TEST_F(ProfileFile, AddsAKeyToItsSectionAndKeepsTheOthers) {
  write_raw(path_, "; job file\r\n[Ferrix]\r\na=1\r\n[Other]\r\nb=2\r\n");
  ASSERT_TRUE(profile_write_text("Ferrix", "key", "v", path_.c_str()));
  EXPECT_EQ(read_text("Ferrix", "key"), "v");
  EXPECT_EQ(read_text("Ferrix", "a"), "1");
  EXPECT_EQ(read_text("Other", "b"), "2");
  EXPECT_EQ(read_text("Other", "key"), "");
  EXPECT_NE(read_raw(path_).find("; job file"), std::string::npos) << read_raw(path_);
}

TEST_F(ProfileFile, CreatesTheSectionBesideOthers) {
  write_raw(path_, "[Other]\r\nb=2");
  ASSERT_TRUE(profile_write_text("Ferrix", "key", "v", path_.c_str()));
  EXPECT_EQ(read_text("Ferrix", "key"), "v");
  EXPECT_EQ(read_text("Other", "b"), "2");
}

TEST_F(ProfileFile, WriteIntoAMissingFolderFails) {
  const std::string inside_missing = path_of("no such folder\\file.ini");
  EXPECT_FALSE(profile_write_text("Ferrix", "key", "v", inside_missing.c_str()));
}
}  // namespace
