// The program's texts must reach Windows as GBK bytes, whatever the source encoding.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "res/texts.h"
#include "tests/support/case_name.h"

namespace {
struct text_case {
  const char* name;
  std::string actual;
  std::string expected_gbk;
};

class GbkTexts : public testing::TestWithParam<text_case> {};

TEST_P(GbkTexts, AreExactGbkBytes) {
  EXPECT_EQ(GetParam().actual, GetParam().expected_gbk) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    KeyTexts, GbkTexts,
    testing::Values(
        text_case{"scanning", TEXT_SCANNING, "\xc9\xa8\xc3\xe8\xce\xc4\xbc\xfe          "},
        text_case{"all done", TEXT_ALL_DONE,
                  "\xb9\xa7\xcf\xb2!!! \xc8\xab\xb2\xbf\xcd\xea\xb3\xc9!!!"},
        text_case{"pause keeps its backslash", TEXT_PAUSE, "\xd4\xdd\xcd\xa3\\\xbc\xcc\xd0\xf8"},
        text_case{"unlimited", TEXT_UNLIMITED, "\xce\xde\xcf\xde\xd6\xc6"},
        text_case{"file access caption", TEXT_FILE_ACCESS_CAPTION,
                  "\xce\xc4\xbc\xfe\xb4\xe6\xc8\xa1   "}),
    case_name<text_case>);
}  // namespace
