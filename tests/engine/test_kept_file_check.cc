// The check of a kept file against its source: equal contents pass, any other byte or length
// is a difference, a file that cannot be read says which one, and Stop ends it undecided.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/kept_file_check.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"
#include "tests/support/settings_scratch.h"

namespace {
struct kept_case {
  const char* name;
  std::string source;  // "-": no such file
  std::string dest;
  int32_t chunk;
  bool stop_at_first_read;
  kept_file_result expected;
};

bool go_on_unless_told(void* stop, int32_t) { return !*static_cast<bool*>(stop); }

class KeptFileCheck : public SettingsScratch, public testing::WithParamInterface<kept_case> {
 protected:
  void SetUp() override {
    SettingsScratch::SetUp();
    saved_buffer_ = job_data.copy_buffer;
    job_data.copy_buffer = buffer_.data();
  }
  void TearDown() override {
    job_data.copy_buffer = saved_buffer_;
    store(job_state.chunk_size, 1024);
    SettingsScratch::TearDown();
  }
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(copy_buffer_size);
  uint8_t* saved_buffer_ = nullptr;
};

TEST_P(KeptFileCheck, ComparesEveryByteAndTheLength) {
  const kept_case& c = GetParam();
  if (c.source != "-") write_raw(path_of("source.bin"), c.source);
  if (c.dest != "-") write_raw(path_of("kept.bin"), c.dest);
  store(job_state.chunk_size, c.chunk);
  bool stop = c.stop_at_first_read;
  EXPECT_EQ(check_kept_file(path_of("source.bin").c_str(), path_of("kept.bin").c_str(),
                            {go_on_unless_told, &stop}),
            c.expected)
      << c.name;
}

// Longer than half the copy buffer, which each file's reads go through.
const std::string bytes = scratch::pattern_bytes(copy_buffer_size / 2 + 50000, 41);
std::string changed_at(size_t at) {
  std::string copy = bytes;
  copy[at] ^= 1;
  return copy;
}

using result = kept_file_result;
INSTANTIATE_TEST_SUITE_P(
    Files, KeptFileCheck,
    testing::Values(
        kept_case{"both empty", "", "", 1024, false, result::same},
        kept_case{"equal, in chunks larger than half the buffer", bytes, bytes, 10000000, false,
                  result::same},
        kept_case{"equal at the slowest cap", bytes.substr(0, 5000), bytes.substr(0, 5000), 51,
                  false, result::same},
        kept_case{"the last byte differs", bytes, changed_at(bytes.size() - 1), 65536, false,
                  result::different},
        kept_case{"the first byte differs", bytes, changed_at(0), 65536, false,
                  result::different},
        kept_case{"the kept file is shorter", bytes, bytes.substr(0, bytes.size() - 1), 65536,
                  false, result::different},
        kept_case{"the kept file is longer", bytes.substr(0, 65536), bytes.substr(0, 65537),
                  65536, false, result::different},
        kept_case{"the kept file is empty", "x", "", 1024, false, result::different},
        kept_case{"no source", "-", "x", 1024, false, result::source_unreadable},
        kept_case{"no kept file", "x", "-", 1024, false, result::dest_unreadable},
        kept_case{"stopped", bytes, changed_at(bytes.size() - 1), 65536, true,
                  result::stopped}),
    case_name<kept_case>);
}  // namespace
