// The copied names of a job: a twin is found however many files were copied since its earlier
// twin (the table grows past its first size), and only within one source.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/copied_names.h"
#include "engine/file_list.h"

namespace {
list_entry entry_of(const std::string& path, int32_t source_slot) {
  list_entry entry{};
  snprintf(entry.path, sizeof entry.path, "%s", path.c_str());
  entry.source_slot = static_cast<uint16_t>(source_slot);
  return entry;
}

TEST(CopiedNames, FindsATwinAfterThousandsOfFilesAndOnlyInItsSource) {
  std::vector<std::unique_ptr<list_entry>> entries;
  std::vector<list_entry*> list;
  copied_names copied;
  for (int i = 0; i < 5000; ++i) {
    entries.push_back(std::make_unique<list_entry>(
        entry_of("D:\\src\\Δ" + std::to_string(i) + "\\Report.txt", i % 2)));
    list.push_back(entries.back().get());
    remember_copied(copied, list.data(), i);
  }
  EXPECT_GE(copied.capacity, 2u * 5000) << "grown, at most half full";

  EXPECT_TRUE(copied_twin_exists(copied, list.data(), entry_of("D:\\src\\δ6\\REPORT.TXT", 0)));
  EXPECT_TRUE(copied_twin_exists(copied, list.data(), entry_of("D:\\SRC\\δ4999\\report.txt", 1)));
  EXPECT_FALSE(copied_twin_exists(copied, list.data(), entry_of("D:\\src\\δ6\\REPORT.TXT", 1)))
      << "a file of another source is not a twin";
  EXPECT_FALSE(copied_twin_exists(copied, list.data(), entry_of("D:\\src\\Δ6\\Report.txt", 0)))
      << "the same path is the same file, not a twin";
  EXPECT_FALSE(copied_twin_exists(copied, list.data(), entry_of("D:\\src\\Δ5000\\report.txt", 0)));
  forget_copied(copied);
  EXPECT_EQ(copied.slots, nullptr);
  EXPECT_FALSE(copied_twin_exists(copied, list.data(), entry_of("D:\\src\\δ6\\REPORT.TXT", 0)));
}
}  // namespace
