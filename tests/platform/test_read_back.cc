// The read-back seam on each host: a file still held open by its writer, made to write out and
// read back through a second handle in whole sectors into a sector-aligned slice of a copy
// buffer, gives back every byte; the writer then still gives it its name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/job_data.h"
#include "engine/read_back_sizes.h"
#include "platform/files.h"
#include "platform/read_back.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"
#include "tests/support/settings_scratch.h"

namespace {
struct read_back_case {
  const char* name;
  size_t file_size;
  int32_t cap_chunk;  // the speed cap's chunk the read sizes come from
};

class ReadBack : public SettingsScratch, public testing::WithParamInterface<read_back_case> {};

// Reads the whole file as the read-back will: whole-sector reads until one comes back short.
bool read_whole(read_back_file* file, int32_t cap_chunk, std::string& bytes) {
  static std::vector<uint8_t> copy_buffer(copy_buffer_size);
  const buffer_slice slice = sector_aligned_slice(copy_buffer.data(), copy_buffer_size);
  const int32_t size = read_back_read_size(cap_chunk, slice.size);
  for (;;) {
    const int32_t got = read_back_read(file, slice.start, size);
    if (got < 0) return false;
    bytes.append(reinterpret_cast<const char*>(slice.start), static_cast<size_t>(got));
    if (got < size) return true;
  }
}

TEST_P(ReadBack, GivesBackEveryByteWhileTheWriterHoldsTheFile) {
  const read_back_case& c = GetParam();
  const std::string bytes = scratch::pattern_bytes(c.file_size, 11);
  const std::string temp = path_of("temp.tmp"), final_name = path_of("final.bin");
  bool name_taken = true;
  FILE* stream = create_new_file_stream(temp.c_str(), &name_taken);
  ASSERT_NE(stream, nullptr) << c.name;
  ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), stream), bytes.size()) << c.name;
  ASSERT_TRUE(flush_written_file(stream)) << c.name;

  read_back_source source{};
  read_back_file* file = read_back_open(temp.c_str(), &source);
  ASSERT_NE(file, nullptr) << c.name;
  std::string read;
  EXPECT_TRUE(read_whole(file, c.cap_chunk, read)) << c.name;
  read_back_close(file);
  EXPECT_TRUE(read == bytes) << c.name << ": " << read.size() << " of " << bytes.size()
                             << " bytes, read from the "
                             << (source == read_back_source::device ? "device" : "cache");

  ASSERT_TRUE(close_into_place(stream, temp.c_str(), final_name.c_str(), false, &name_taken)) << c.name;
  EXPECT_EQ(read_raw(final_name), bytes) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReadBack,
    testing::Values(read_back_case{"empty", 0, 51}, read_back_case{"one byte", 1, 51},
                    read_back_case{"a byte short of a sector", 4095, 4096},
                    read_back_case{"one sector", 4096, 4096},
                    read_back_case{"a byte past a sector", 4097, 4096},
                    read_back_case{"slow cap over many sectors", 100001, 51},
                    read_back_case{"three buffers and a bit", 3 * 2498560 + 13, copy_buffer_size}),
    case_name<read_back_case>);

TEST_F(ReadBack, OfAMissingFileOpensNothing) {
  read_back_source source{};
  EXPECT_EQ(read_back_open(path_of("missing.bin").c_str(), &source), nullptr);
}
}  // namespace
