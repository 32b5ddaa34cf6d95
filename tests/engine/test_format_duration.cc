// Seconds as the status lines show them, negative counts included.
#include <gtest/gtest.h>

#include <string>

#include "engine/format_duration.h"

namespace {
struct duration_case {
  int32_t seconds;
  const char* expected;
};

class FormatDuration : public testing::TestWithParam<duration_case> {};

TEST_P(FormatDuration, MatchesTheStatusLineForm) {
  char text[duration_text_size];
  EXPECT_STREQ(format_duration(GetParam().seconds, text), GetParam().expected)
      << "seconds " << GetParam().seconds;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatDuration,
    testing::Values(duration_case{0, "0分钟 00秒"}, duration_case{61, "1分钟 01秒"},
                    duration_case{3599, "59分钟 59秒"}, duration_case{3600, "1小时 00分钟 00秒"},
                    duration_case{3661, "1小时 01分钟 01秒"},
                    duration_case{25 * 3600 + 61, "25小时 01分钟 01秒"},
                    duration_case{-75, "-1分钟 -15秒"},
                    duration_case{-3661, "-1小时 -1分钟 -1秒"},
                    duration_case{INT32_MAX, "596523小时 14分钟 07秒"}));
}  // namespace
