// Bar positions: the share divided first and multiplied after, in double precision, truncated;
// sizes past 4 GiB keep their full width.
#include <gtest/gtest.h>

#include "engine/percent.h"

namespace {
struct percent_case {
  const char* name;
  uint64_t part;
  uint64_t whole;
  int32_t position;
};

class ProgressPercent : public testing::TestWithParam<percent_case> {};

TEST_P(ProgressPercent, TruncatesTheShare) {
  const percent_case& c = GetParam();
  EXPECT_EQ(percent_of(c.part, c.whole), c.position) << c.name;
}

constexpr uint64_t gib = 1ULL << 30;

INSTANTIATE_TEST_SUITE_P(
    Shares, ProgressPercent,
    testing::Values(percent_case{"all left", 3, 3, 100}, percent_case{"two of three", 2, 3, 66},
                    percent_case{"one of three", 1, 3, 33},
                    percent_case{"29 of 100 rounds down to 28", 29, 100, 28},
                    percent_case{"nothing of nothing", 0, 0, 0},
                    percent_case{"empty file", 0, 0, 0},
                    percent_case{"half of 5 GiB", 5 * gib / 2, 5 * gib, 50},
                    percent_case{"4 GiB of 5 GiB, past 32 bits", 4 * gib + 1, 5 * gib, 80}));
}  // namespace
