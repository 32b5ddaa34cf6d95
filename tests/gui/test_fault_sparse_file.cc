// A 5 GiB file (sparse, with written blocks at the start, across the 4 GiB mark and at the
// end): the current file's bar passes through the middle (its share is taken in 64 bits), the
// job ends with its completion text, and the copy is byte-identical by size and sampled blocks.
// Skipped where the host cannot hold the file.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
constexpr uint64_t five_gib = 5ull << 30;

bool write_block_at(const std::string& path, uint64_t offset, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD written = 0;
  const bool ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

class SparseFile : public FaultFixture {};

TEST_F(SparseFile, FiveGibibytesAreCopiedWholeWithBarsThatMove) {
  const std::string source = folder("source");
  const std::string big = source + "\\five.bin";
  if (!host_make_sized_file(big, five_gib)) GTEST_SKIP() << "no room for a 5 GiB file here";
  const std::string block = file_tree::pattern_bytes(96 * 1024, 5);
  ASSERT_TRUE(write_block_at(big, 0, block));
  ASSERT_TRUE(write_block_at(big, (4ull << 30) - 48 * 1024, block));  // across 4 GiB
  ASSERT_TRUE(write_block_at(big, five_gib - block.size(), block));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\small.bin", 5000));
  const std::string target = folder("dest");
  ASSERT_TRUE(set_up_job({source}, target));

  driver::click(dialog, IDC_START_STOP);
  EXPECT_TRUE(driver::wait_until([&] {
    const int at = driver::progress_position(dialog, IDC_FILE_PROGRESS);
    return driver::control_text(dialog, IDC_CURRENT_FILE) == target + "\\five.bin" && at > 0 &&
           at < 100;
  })) << "the current file's bar did not pass through the middle";
  // However long the copy takes here: it has to end, and to keep moving until it does.
  for (int at = -1; !job_over();) {
    ASSERT_TRUE(driver::wait_until([&] {
      return job_over() || driver::progress_position(dialog, IDC_FILE_PROGRESS) != at;
    })) << "the copy stopped moving at " << at << "%";
    at = driver::progress_position(dialog, IDC_FILE_PROGRESS);
  }
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"five.bin", "small.bin"}));
  tree_invariant::tally counts;
  EXPECT_TRUE(tree_invariant::destination_holds_only_copies(sources, dest, &counts));
  EXPECT_EQ(counts.files_checked, 2);
  // The three written blocks, compared directly.
  const std::string copy = target + "\\five.bin";
  for (uint64_t offset : {0ull, (4ull << 30) - 48 * 1024, five_gib - block.size()}) {
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    std::string read(block.size(), '\0');
    DWORD count = 0;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &count, nullptr);
    CloseHandle(file);
    EXPECT_TRUE(count == block.size() && read == block) << "block at " << offset;
  }
  check_invariant();
}

}  // namespace
