// The read-back's alignment rules: a slice of the copy buffer at a sector boundary, whole
// sectors long, at every address the allocator may hand out, and reads of whole sectors for
// every chunk the speed cap gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/job_data.h"
#include "engine/read_back_sizes.h"
#include "tests/support/case_name.h"

namespace {
// Every offset from a sector boundary, as a buffer of copy_buffer_size may start anywhere.
TEST(SectorAlignedSlice, StartsAtABoundaryAndStaysInsideTheBuffer) {
  static std::vector<uint8_t> memory(copy_buffer_size + 2 * read_back_sector_size);
  const uintptr_t base = reinterpret_cast<uintptr_t>(memory.data());
  uint8_t* aligned = memory.data() + (read_back_sector_size - base % read_back_sector_size);
  for (int32_t offset = 0; offset < read_back_sector_size; ++offset) {
    uint8_t* buffer = aligned - offset;
    const buffer_slice slice = sector_aligned_slice(buffer, copy_buffer_size);
    const int32_t skipped = static_cast<int32_t>(slice.start - buffer);
    ASSERT_EQ(reinterpret_cast<uintptr_t>(slice.start) % read_back_sector_size, 0u) << offset;
    ASSERT_EQ(slice.size % read_back_sector_size, 0) << offset;
    ASSERT_EQ(skipped, offset) << "the first boundary is taken";
    ASSERT_LE(skipped + slice.size, copy_buffer_size) << offset;
    ASSERT_GT(skipped + slice.size + read_back_sector_size, copy_buffer_size)
        << offset << ": no whole sector left unused";
  }
  // 2,500,000 bytes hold 610 whole sectors (2,498,560 bytes) and 1,440 more.
  EXPECT_EQ(sector_aligned_slice(aligned, copy_buffer_size).size, 610 * 4096);
  EXPECT_EQ(sector_aligned_slice(aligned - 1440, copy_buffer_size).size, 610 * 4096);
  EXPECT_EQ(sector_aligned_slice(aligned - 1441, copy_buffer_size).size, 609 * 4096);
}

struct read_case {
  const char* name;
  int32_t cap_chunk;
  int32_t slice_size;
  int32_t read_size;
};

class ReadBackReadSize : public testing::TestWithParam<read_case> {};

TEST_P(ReadBackReadSize, IsWholeSectorsWithinTheSlice) {
  const read_case& c = GetParam();
  const int32_t size = read_back_read_size(c.cap_chunk, c.slice_size);
  EXPECT_EQ(size, c.read_size) << c.name;
  EXPECT_EQ(size % read_back_sector_size, 0) << c.name;
  EXPECT_LE(size, c.slice_size) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, ReadBackReadSize,
    testing::Values(read_case{"the slowest cap's chunk", 51, 610 * 4096, 4096},
                    read_case{"a chunk below one", 0, 610 * 4096, 4096},
                    read_case{"one sector", 4096, 610 * 4096, 4096},
                    read_case{"a byte over one sector", 4097, 610 * 4096, 8192},
                    read_case{"a middle chunk", 100000, 610 * 4096, 25 * 4096},
                    read_case{"more than the slice", INT32_MAX, 610 * 4096, 610 * 4096},
                    read_case{"a slice not whole sectors", 100000, 5 * 4096 + 7, 5 * 4096},
                    read_case{"no slice", 4096, 0, 0},
                    read_case{"less than a sector", 51, 4095, 0}),
    case_name<read_case>);

// The slowest cap (51 bytes every 100 ms) over a read-back of 51 sectors: each read owes its
// bytes' time, and the file's pauses add up to what the copy of those bytes waited.
TEST(ReadBackPause, AddsUpToTheCopysTimeForTheSameBytes) {
  int64_t carried = 0;
  int64_t total = 0;
  for (int i = 0; i < 51; ++i) {
    const int32_t pause = read_back_pause_ms(4096, 51, 100, carried);
    EXPECT_TRUE(pause == 8031 || pause == 8032) << "read " << i << ": " << pause;
    total += pause;
  }
  EXPECT_EQ(total, 4096 * 100);
  EXPECT_EQ(carried, 0);
}

TEST(ReadBackPause, IsNoneUnlimitedOrForNothingRead) {
  int64_t carried = 0;
  EXPECT_EQ(read_back_pause_ms(4096, 1000000, 0, carried), 0);
  EXPECT_EQ(read_back_pause_ms(0, 51, 100, carried), 0);
  EXPECT_EQ(read_back_pause_ms(51, 51, 100, carried), 100);
  EXPECT_EQ(read_back_pause_ms(1808, 100000, 100, carried), 1);
  EXPECT_EQ(carried, 80800);
}
}  // namespace
