// The slider's scale: every position against an independent evaluation, and the positions
// whose results the user sees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/speed_scale.h"
#include "tests/support/case_name.h"

namespace {

// The same scale worked out another way: the step's exact single-precision value as a
// literal, and powers of two in extended precision.
int64_t reference_speed(int32_t position) {
  const long double step = 0.0000999999974737875163555145263671875L;
  const long double log2_e = 1.442695040888963407359924681001892137L;
  const long double speed = std::exp2l(position * step * log2_e);
  const int64_t truncated = static_cast<int64_t>(speed);
  if (truncated <= 512) return 512;
  if (truncated >= 10000000) return 10000000;
  return truncated;
}

TEST(SpeedFromPosition, AgreesWithAnIndependentEvaluationAcrossTheWholeSlider) {
  int mismatches = 0;
  for (int32_t position = 62383; position <= 161181; ++position) {
    const int64_t expected = reference_speed(position);
    const int32_t actual = speed_from_position(position);
    if (actual != expected && ++mismatches <= 10)
      ADD_FAILURE() << "position " << position << ": got " << actual << ", expected " << expected;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(SpeedFromPosition, GrowsWithThePositionAndNeverLeavesItsRange) {
  int32_t previous = speed_from_position(62383);
  for (int32_t position = 62384; position <= 161181; ++position) {
    const int32_t speed = speed_from_position(position);
    ASSERT_GE(speed, previous) << "position " << position;
    ASSERT_GE(speed, 512) << "position " << position;
    ASSERT_LE(speed, 10000000) << "position " << position;
    previous = speed;
  }
}

struct telling_position {
  const char* name;
  int32_t position;
  int32_t speed;
};

class TellingPositions : public testing::TestWithParam<telling_position> {};

TEST_P(TellingPositions, GiveTheirKnownSpeed) {
  EXPECT_EQ(speed_from_position(GetParam().position), GetParam().speed) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Slider, TellingPositions,
    testing::Values(
        // e^x is 511.99 here: truncated to 511, then raised to the lowest limit.
        telling_position{"minimum", 62383, 512},
        telling_position{"start", 92341, 10240},
        telling_position{"one below maximum is still limited", 161180, 9999039},
        telling_position{"maximum is unlimited", 161181, 10000000},
        // Positions a hand-edited settings file could bring; the slider clamps them anyway.
        telling_position{"below the slider", 0, 512},
        telling_position{"negative", -5, 512},
        telling_position{"far above the slider", 400000, 10000000},
        telling_position{"largest integer", INT32_MAX, 10000000}),
    case_name<telling_position>);

TEST(SpeedFromPosition, GivesTheChunkSizesOfTheSliderEnds) {
  EXPECT_EQ(speed_from_position(62383) / 10, 51) << "minimum";
  EXPECT_EQ(speed_from_position(92341) / 10, 1024) << "start";
  EXPECT_EQ(speed_from_position(161181) / 10, 1000000) << "maximum";
}

}  // namespace
