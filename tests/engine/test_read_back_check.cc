// The check of a verified copy against a real file: the truth passes, a drive that lost or
// changed one write's bytes is caught, and the read-back goes through the copy buffer in whole
// sectors, paced between reads, stopping when told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/read_back_check.h"
#include "platform/files.h"
#include "platform/testing/lying_drive.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"
#include "tests/support/settings_scratch.h"

namespace {
struct check_case {
  const char* name;
  size_t size;
  int32_t lie_offset;  // -1: the drive tells the truth
  int32_t lie_count;
  int32_t stop_after_reads;  // 0: never
  read_back_result expected;
};

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

content_digest digest_of(const std::string& bytes) {
  static content_hash hash;
  content_hash_start(hash);
  content_hash_add(hash, bytes.data(), bytes.size());
  return content_hash_finish(hash);
}

class ReadBackCheck : public SettingsScratch, public testing::WithParamInterface<check_case> {
 protected:
  void SetUp() override {
    SettingsScratch::SetUp();
    saved_buffer_ = job_data.copy_buffer;
    job_data.copy_buffer = buffer_.data();
    store(job_state.chunk_size, 51);  // the slowest cap: one sector a read
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

TEST_P(ReadBackCheck, PassesOnlyWhatTheSourceGave) {
  const check_case& c = GetParam();
  const std::string bytes = scratch::pattern_bytes(c.size, 31);
  const std::string temp = path_of("copy.tmp");
  bool name_taken = false;
  FILE* stream = create_new_file_stream(temp.c_str(), &name_taken);
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), stream), bytes.size());
  if (c.lie_offset >= 0) drive_lies_on_next_flush(c.lie_offset, c.lie_count, 0);

  pacing_record record;
  record.stop_after = c.stop_after_reads;
  read_back_source source{};
  EXPECT_EQ(check_temp_file(stream, temp.c_str(), digest_of(bytes), {note_read, &record},
                            &source),
            c.expected)
      << c.name;
  fclose(stream);
  if (c.expected == read_back_result::same || c.expected == read_back_result::different) {
    EXPECT_EQ(record.bytes, static_cast<int64_t>(c.size)) << c.name << ": every byte read back";
    EXPECT_EQ(record.reads, static_cast<int32_t>(c.size / 4096 + 1))
        << c.name << ": one sector a read, the last one short";
  }
  if (c.stop_after_reads > 0) {
    EXPECT_EQ(record.reads, c.stop_after_reads) << c.name;
  }
}

constexpr auto same = read_back_result::same;
constexpr auto different = read_back_result::different;
INSTANTIATE_TEST_SUITE_P(
    Files, ReadBackCheck,
    testing::Values(check_case{"empty", 0, -1, 0, 0, same},
                    check_case{"a few sectors and a bit", 5 * 4096 + 100, -1, 0, 0, same},
                    check_case{"whole sectors", 3 * 4096, -1, 0, 0, same},
                    check_case{"a lost write", 5 * 4096 + 100, 4096, 4096, 0, different},
                    check_case{"one byte changed", 5 * 4096 + 100, 5 * 4096 + 99, 1, 0,
                               different},
                    check_case{"stopped", 5 * 4096 + 100, -1, 0, 2, read_back_result::stopped}),
    case_name<check_case>);

TEST_F(ReadBackCheck, FailsWhereTheTemporaryCannotBeOpened) {
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
