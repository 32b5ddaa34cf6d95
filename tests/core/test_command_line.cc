// The command line's first argument: quotes, backslashes, and GBK characters whose second
// byte is 0x5C ("乗" is 81 5C), which must never be read as a backslash.
#include <gtest/gtest.h>

#include <string>

#include "core/command_line.h"
#include "tests/support/case_name.h"

namespace {
struct argument_case {
  const char* name;
  const char* command_line;
  const char* argument;  // null: none
  size_t size = 1024;
};

class FirstArgument : public testing::TestWithParam<argument_case> {};

TEST_P(FirstArgument, IsReadAsTheRuntimeReadsIt) {
  char argument[1024] = "untouched";
  const bool found = first_argument(GetParam().command_line, argument, GetParam().size);
  ASSERT_EQ(found, GetParam().argument != nullptr) << GetParam().name;
  if (found) {
    EXPECT_EQ(std::string(argument), GetParam().argument) << GetParam().name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstArgument,
    testing::Values(
        argument_case{"program only", "ferrix.exe", nullptr},
        argument_case{"quoted program and blanks", "\"C:\\a b\\ferrix.exe\"  \t ", nullptr},
        argument_case{"quoted with blanks, then more", "x \"C:\\a b\\j.frx\"\tb", "C:\\a b\\j.frx"},
        argument_case{"quotes inside", "x \"C:\\my \"jobs\\j.frx", "C:\\my jobs\\j.frx"},
        argument_case{"server path", "x \\\\server\\j.frx", "\\\\server\\j.frx"},
        argument_case{"even backslashes before a quote", "x \"a\\\\\" b", "a\\"},
        argument_case{"odd backslashes before a quote", "x a\\\"b c", "a\"b"},
        argument_case{"0x5C second byte before a quote", "x \"C:\\\x81\x5C\" b", "C:\\\x81\x5C"},
        argument_case{"0x5C second byte in the program", "\"C:\\\x81\x5C\\x.exe\" j", "j"},
        argument_case{"a character cut by the line's end", "x a\x81", "a"},
        argument_case{"cut before a character that does not fit", "x ab\x81\x5C", "ab", 4}),
    case_name<argument_case>);
}  // namespace
