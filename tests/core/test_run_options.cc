// The command line's options: a job file, /start, /verify and /log FILE in any order and any case,
// quoted GBK paths kept whole, and each broken rule named with the argument that broke it.
#include <gtest/gtest.h>

#include <string>

#include "core/run_options.h"
#include "tests/support/case_name.h"

namespace {
struct options_case {
  const char* name;
  const char* command_line;
  const char* job_file;
  const char* log_file;
  bool start;
  run_fault fault;
  const char* faulty_argument;
};

constexpr run_fault none = run_fault::none;

class RunOptions : public testing::TestWithParam<options_case> {};

TEST_P(RunOptions, FollowTheArgumentRules) {
  const options_case& expected = GetParam();
  static run_options options;
  read_run_options(expected.command_line, options);
  EXPECT_EQ(std::string(options.job_file), expected.job_file) << expected.name;
  EXPECT_EQ(std::string(options.log_file), expected.log_file) << expected.name;
  EXPECT_EQ(options.start, expected.start) << expected.name;
  EXPECT_EQ(options.fault, expected.fault) << expected.name;
  EXPECT_EQ(std::string(options.faulty_argument), expected.faulty_argument) << expected.name;
}

// "乗" is 81 5C: its second byte is a backslash, and before a quote it must stay a character.
INSTANTIATE_TEST_SUITE_P(
    Cases, RunOptions,
    testing::Values(
        options_case{"nothing", "ferrix.exe", "", "", false, none, ""},
        options_case{"job file only", "x j.frx", "j.frx", "", false, none, ""},
        options_case{"start and log", "x j.frx /start /log l.txt", "j.frx", "l.txt", true, none,
                     ""},
        options_case{"options in any order", "x j.frx /log l.txt /start", "j.frx", "l.txt", true,
                     none, ""},
        options_case{"options in any case", "x j.frx /START /Log l.txt", "j.frx", "l.txt", true,
                     none, ""},
        options_case{"log without start", "x /log l.txt", "", "l.txt", false, none, ""},
        options_case{"job file after the options", "x /start /log l.txt j.frx", "j.frx",
                     "l.txt", true, none, ""},
        options_case{"quoted GBK paths with blanks",
                     "x \"C:\\my \x81\x5C\\j.frx\" /start /log \"C:\\a b\\\x81\x5C\"",
                     "C:\\my \x81\x5C\\j.frx", "C:\\a b\\\x81\x5C", true, none, ""},
        options_case{"start without a job file", "x /Start /log l.txt", "", "l.txt", true,
                     run_fault::start_without_job, "/Start"},
        options_case{"log at the end", "x j.frx /start /log", "j.frx", "", true,
                     run_fault::log_without_file, "/log"},
        options_case{"log followed by an option", "x j.frx /LOG /start", "j.frx", "", true,
                     run_fault::log_without_file, "/LOG"},
        options_case{"log twice", "x j.frx /log a /log b", "j.frx", "a", false,
                     run_fault::second_log_file, "/log"},
        options_case{"unknown option", "x j.frx /stat", "j.frx", "", false,
                     run_fault::unknown_option, "/stat"},
        options_case{"an option's value is not an option", "x j.frx /log /x", "j.frx", "", false,
                     run_fault::log_without_file, "/log"},
        options_case{"second job file", "x a.frx b.frx /start", "a.frx", "", true,
                     run_fault::second_job_file, "b.frx"},
        options_case{"the first fault is kept", "x /what a b /start", "a", "", true,
                     run_fault::unknown_option, "/what"}),
    case_name<options_case>);

TEST(RunOptions, VerifyIsTakenOnlyWhereGiven) {
  static run_options options;
  read_run_options("x /Verify j.frx /start", options);
  EXPECT_TRUE(options.verify);
  read_run_options("x j.frx /start /verifyall", options);
  EXPECT_FALSE(options.verify);
  EXPECT_EQ(options.fault, run_fault::unknown_option);
}

TEST(RunOptions, LogPathCutToFitIsRefused) {
  const std::string path(run_argument_size + 10, 'a');
  static run_options options;
  read_run_options(("x j /log " + path).c_str(), options);
  EXPECT_EQ(options.fault, run_fault::log_file_too_long);
  EXPECT_EQ(std::string(options.log_file), "");
}
}  // namespace
