// The two checks of a verified job against real files, each through the copy buffer. A kept
// file: equal contents pass, any other byte or length is a difference, a file that cannot be
// read says which one, Stop ends it undecided. A read-back: the truth passes, a drive that
// changed one write's bytes is caught, reads go in whole sectors between the pacing's calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/kept_file_check.h"
#include "engine/read_back_check.h"
#include "platform/files.h"
#include "platform/testing/lying_drive.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"
#include "tests/support/settings_scratch.h"

namespace {
class CopyCheck : public SettingsScratch {
 protected:
  void SetUp() override {
    SettingsScratch::SetUp();
    saved_buffer_ = job_data.copy_buffer;
    job_data.copy_buffer = buffer_.data();
  }
  void TearDown() override {
    drive_tells_truth();
    job_data.copy_buffer = saved_buffer_;
    store(job_state.chunk_size, 1024);
    SettingsScratch::TearDown();
  }
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(copy_buffer_size);
  uint8_t* saved_buffer_ = nullptr;
};

// Counts the pacing's calls and their bytes; stops at stop_after (0: never).
struct pacing_record {
  int32_t reads = 0;
  int64_t bytes = 0;
  int32_t stop_after = 0;
};

bool note_read(void* context, int32_t bytes) {
  auto* record = static_cast<pacing_record*>(context);
  ++record->reads;
  record->bytes += bytes;
  return record->stop_after == 0 || record->reads < record->stop_after;
}

struct kept_case {
  const char* name;
  std::string source;  // "-": no such file
  std::string dest;
  int32_t chunk;
  bool stop_at_first_read;
  kept_file_result expected;
};

class KeptFileCheck : public CopyCheck, public testing::WithParamInterface<kept_case> {};

TEST_P(KeptFileCheck, ComparesEveryByteAndTheLength) {
  const kept_case& c = GetParam();
  if (c.source != "-") write_raw(path_of("source.bin"), c.source);
  if (c.dest != "-") write_raw(path_of("kept.bin"), c.dest);
  store(job_state.chunk_size, c.chunk);
  pacing_record record;
  record.stop_after = c.stop_at_first_read ? 1 : 0;
  EXPECT_EQ(check_kept_file(path_of("source.bin").c_str(), path_of("kept.bin").c_str(),
                            {note_read, &record}),
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
        kept_case{"the kept file is shorter", bytes, bytes.substr(0, bytes.size() - 1), 65536,
                  false, result::different},
        kept_case{"no source", "-", "x", 1024, false, result::source_unreadable},
        kept_case{"no kept file", "x", "-", 1024, false, result::dest_unreadable},
        kept_case{"stopped", bytes, changed_at(bytes.size() - 1), 65536, true,
                  result::stopped}),
    case_name<kept_case>);

struct read_back_case {
  const char* name;
  size_t size;
  int32_t lie_offset;  // -1: the drive tells the truth
  read_back_result expected;
};

class ReadBackCheck : public CopyCheck, public testing::WithParamInterface<read_back_case> {};

content_digest digest_of(const std::string& contents) {
  static content_hash hash;
  content_hash_start(hash);
  content_hash_add(hash, contents.data(), contents.size());
  return content_hash_finish(hash);
}

TEST_P(ReadBackCheck, PassesOnlyWhatTheSourceGaveInWholeSectors) {
  const read_back_case& c = GetParam();
  store(job_state.chunk_size, 51);  // the slowest cap: one sector a read
  const std::string contents = scratch::pattern_bytes(c.size, 31);
  const std::string temp = path_of("copy.tmp");
  bool name_taken = false;
  FILE* stream = create_new_file_stream(temp.c_str(), &name_taken);
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(fwrite(contents.data(), 1, contents.size(), stream), contents.size());
  if (c.lie_offset >= 0) drive_lies_on_next_flush(c.lie_offset, 1, 0);

  pacing_record record;
  read_back_source source{};
  EXPECT_EQ(check_temp_file(stream, temp.c_str(), digest_of(contents), {note_read, &record},
                            &source),
            c.expected)
      << c.name;
  fclose(stream);
  EXPECT_EQ(record.bytes, static_cast<int64_t>(c.size)) << c.name << ": every byte read back";
  EXPECT_EQ(record.reads, static_cast<int32_t>(c.size / 4096 + 1))
      << c.name << ": one sector a read, the last one short";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadBackCheck,
    testing::Values(
        read_back_case{"empty", 0, -1, read_back_result::same},
        read_back_case{"a few sectors and a bit", 5 * 4096 + 100, -1, read_back_result::same},
        read_back_case{"whole sectors", 3 * 4096, -1, read_back_result::same},
        read_back_case{"the last byte changed", 5 * 4096 + 100, 5 * 4096 + 99,
                       read_back_result::different}),
    case_name<read_back_case>);

TEST_F(CopyCheck, ReadBackFailsWhereTheTemporaryCannotBeOpened) {
  bool name_taken = false;
  FILE* stream = create_new_file_stream(path_of("copy.tmp").c_str(), &name_taken);
  ASSERT_NE(stream, nullptr);
  pacing_record record;
  read_back_source source{};
  EXPECT_EQ(check_temp_file(stream, path_of("elsewhere.tmp").c_str(), digest_of(""),
                            {note_read, &record}, &source),
            read_back_result::failed);
  fclose(stream);
  EXPECT_EQ(record.reads, 0);
}
}  // namespace
