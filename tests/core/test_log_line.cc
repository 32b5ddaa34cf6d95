// A log line: its time stamp, one line whatever the name holds, no blanks before its end, and
// GBK characters never split, also where the line is cut.
#include <gtest/gtest.h>

#include <string>

#include "core/log_line.h"
#include "tests/support/case_name.h"

namespace {
struct line_case {
  const char* name;
  const char* text;
  const char* line;  // after the time stamp, with its CRLF
  size_t size = log_line_size;
};

const log_time time_of_test{2026, 3, 4, 5, 6, 7};

class LogLine : public testing::TestWithParam<line_case> {};

TEST_P(LogLine, IsOneLineWithItsTime) {
  char line[log_line_size];
  const size_t length = format_log_line(time_of_test, GetParam().text, line, GetParam().size);
  const std::string expected = std::string("2026-03-04 05:06:07 ") + GetParam().line;
  EXPECT_EQ(std::string(line), expected) << GetParam().name;
  EXPECT_EQ(length, expected.size()) << GetParam().name;
}

// "乗" is 81 5C.
INSTANTIATE_TEST_SUITE_P(
    Cases, LogLine,
    testing::Values(
        line_case{"plain", "\xBF\xAA\xCA\xBC C:\\a", "\xBF\xAA\xCA\xBC C:\\a\r\n"},
        line_case{"trailing blanks dropped", "done   ", "done\r\n"},
        line_case{"control characters as ?", "a\nb\rc\td\x7F", "a?b?c?d?\r\n"},
        line_case{"a stray first byte before a control", "a\x81\n", "a??\r\n"},
        line_case{"a stray first byte at the end", "a\x81", "a?\r\n"},
        line_case{"0x5C second byte kept", "C:\\\x81\x5C", "C:\\\x81\x5C\r\n"},
        line_case{"cut before a character that does not fit", "ab\x81\x5C", "ab\r\n", 25}),
    case_name<line_case>);
}  // namespace
