// The speed rule: each limit's chunk size and the pause after each chunk.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/speed_scale.h"
#include "tests/support/case_name.h"

namespace {

struct pace_case {
  const char* name;
  int32_t speed_limit;
  int32_t chunk_size;
  int32_t chunk_delay_ms;
};

class ChunkPace : public testing::TestWithParam<pace_case> {};

TEST_P(ChunkPace, IsATenthOfTheLimitEveryHundredMillisecondsAndUnpausedWhenUnlimited) {
  const pace_case& c = GetParam();
  const chunk_pace pace = pace_for_limit(c.speed_limit);
  EXPECT_EQ(pace.chunk_size, c.chunk_size) << c.name;
  EXPECT_EQ(pace.chunk_delay_ms, c.chunk_delay_ms) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ChunkPace,
    testing::Values(pace_case{"lowest limit", 512, 51, 100},
                    pace_case{"start position", 10240, 1024, 100},
                    pace_case{"odd limit", 22027, 2202, 100},
                    pace_case{"highest limited", 9999999, 999999, 100},
                    pace_case{"unlimited", 10000000, 1000000, 0}),
    case_name<pace_case>);

}  // namespace
