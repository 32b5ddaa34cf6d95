// The lying drive of the tests: told to, it stores other bytes in one write's place while the
// writes and the flush report success, once; the next file is stored as written.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/read_back.h"
#include "platform/testing/lying_drive.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"
#include "tests/support/settings_scratch.h"

namespace {
struct lie_case {
  const char* name;
  int32_t offset;
  int32_t count;
  uint8_t stored;
};

class LyingDrive : public SettingsScratch, public testing::WithParamInterface<lie_case> {
 protected:
  void TearDown() override {
    drive_tells_truth();
    SettingsScratch::TearDown();
  }
  // Writes bytes through a new file's stream and flushes it; the flush's answer.
  bool write_and_flush(const std::string& path, const std::string& bytes) {
    bool name_taken = false;
    FILE* stream = create_new_file_stream(path.c_str(), &name_taken);
    if (!stream) return false;
    fwrite(bytes.data(), 1, bytes.size(), stream);
    const bool flushed = flush_written_file(stream);
    fclose(stream);
    return flushed;
  }
};

TEST_P(LyingDrive, StoresOtherBytesOfOneWriteAndSaysNothing) {
  const lie_case& c = GetParam();
  const std::string bytes = scratch::pattern_bytes(3 * 65536, 21);
  drive_lies_on_next_flush(c.offset, c.count, c.stored);
  EXPECT_TRUE(write_and_flush(path_of("lied.bin"), bytes)) << c.name << ": the flush succeeds";
  EXPECT_FALSE(drive_lie_pending()) << c.name;

  std::string expected = bytes;
  expected.replace(static_cast<size_t>(c.offset), static_cast<size_t>(c.count),
                   static_cast<size_t>(c.count), static_cast<char>(c.stored));
  ASSERT_NE(expected, bytes) << c.name << ": the case must change something";
  EXPECT_TRUE(read_raw(path_of("lied.bin")) == expected) << c.name;

  ASSERT_TRUE(write_and_flush(path_of("true.bin"), bytes)) << c.name;
  EXPECT_TRUE(read_raw(path_of("true.bin")) == bytes) << c.name << ": the lie is told once";
}

INSTANTIATE_TEST_SUITE_P(
    Lies, LyingDrive,
    testing::Values(lie_case{"a lost write", 65536, 65536, 0}, lie_case{"one byte", 1000, 1, 0xA5},
                    lie_case{"the last sector", 2 * 65536 + 61440, 4096, 0xFF}),
    case_name<lie_case>);
}  // namespace
