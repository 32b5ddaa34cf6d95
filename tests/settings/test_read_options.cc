// The three options read as on only for exactly 1, so the check box and the worker agree; the
// speed position reads as written, with the slider's start position as default.
#include <gtest/gtest.h>

#include <string>

#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"
#include "tests/support/case_name.h"

namespace {
struct value_case {
  const char* name;
  const char* line;  // the key's line, or another line when the key is missing
  int32_t expected;
};

class OptionValue : public SettingsScratch, public testing::WithParamInterface<value_case> {};

TEST_P(OptionValue, IsOnOnlyForExactlyOne) {
  const std::string path = path_of("options.frx");
  for (const char* key : {key_overwrite_all, key_dont_notify, key_verify}) {
    write_raw(path, std::string("[Ferrix]\r\n") + key + GetParam().line + "\r\n");
    EXPECT_EQ(read_option(path.c_str(), key), GetParam().expected)
        << GetParam().name << " for " << key;
  }
}

// Each line is appended to the key's name ("=2" gives "overwriteall=2").
INSTANTIATE_TEST_SUITE_P(Values, OptionValue,
                         testing::Values(value_case{"one", "=1", 1},
                                         value_case{"zero", "=0", 0},
                                         value_case{"two", "=2", 0},
                                         value_case{"minus one", "=-1", 0},
                                         value_case{"large", "=257", 0},
                                         value_case{"a word", "=yes", 0},
                                         value_case{"blanks around one", "=  1  ", 1},
                                         value_case{"leading zero", "=01", 1},
                                         value_case{"one and text", "=1 (on)", 1},
                                         value_case{"empty", "=", 0},
                                         value_case{"missing", "_other=1", 0}),
                         case_name<value_case>);

class SpeedValue : public SettingsScratch, public testing::WithParamInterface<value_case> {};

TEST_P(SpeedValue, ReadsAsWrittenOrTheStartPosition) {
  const std::string path = path_of("speed.frx");
  write_raw(path, std::string("[Ferrix]\r\n") + GetParam().line + "\r\n");
  EXPECT_EQ(read_speed_position(path.c_str()), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SpeedValue,
    testing::Values(value_case{"start position", "speed=92341", 92341},
                    value_case{"slider maximum", "speed=161181", 161181},
                    value_case{"above the range", "speed=999999999", 999999999},
                    value_case{"below the range", "speed=100", 100},
                    value_case{"negative", "speed=-5", -5}, value_case{"a word", "speed=fast", 0},
                    value_case{"empty", "speed=", 92341}, value_case{"missing", "nsrc=0", 92341}),
    case_name<value_case>);
}  // namespace
