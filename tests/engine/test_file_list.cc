// The file list: growth by fixed steps before the next entry needs a slot, the descending
// sort that the copy loop takes from the end, and clean release when memory runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file_list.h"
#include "platform/testing/refusing_worker_memory.h"

namespace {
struct growing_list {
  list_entry** entries = static_cast<list_entry**>(calloc(list_growth, sizeof(list_entry*)));
  int32_t count = 0;
  int32_t capacity = list_growth;
  ~growing_list() { free_file_list(entries, count); }
};

std::string numbered(int32_t i) { return "D:\\s\\" + std::to_string(i); }

TEST(FileListGrowth, GrowsByTheStepAsSoonAsTheLastFreeSlotIsUsed) {
  growing_list list;
  std::vector<int32_t> capacity_after;  // capacity after entries 1023, 1024, 2047, 2048, 2049
  for (int32_t i = 1; i <= 2049; ++i) {
    ASSERT_TRUE(
        add_list_entry(list.entries, list.count, list.capacity, numbered(i).c_str(), i % 3));
    if (i == 1023 || i == 1024 || i == 2047 || i == 2048 || i == 2049)
      capacity_after.push_back(list.capacity);
    ASSERT_LT(list.count, list.capacity) << "slot at count must stay free, entry " << i;
  }
  EXPECT_EQ(capacity_after, (std::vector<int32_t>{1024, 2048, 2048, 3072, 3072}));
  // Growth kept every entry in its slot, and the free slots are empty.
  for (int32_t i = 0; i < list.count; ++i) {
    ASSERT_STREQ(list.entries[i]->path, numbered(i + 1).c_str()) << "slot " << i;
    ASSERT_EQ(list.entries[i]->source_slot, (i + 1) % 3) << "slot " << i;
  }
  for (int32_t i = list.count; i < list.capacity; ++i) ASSERT_EQ(list.entries[i], nullptr) << i;
}

TEST(FileListGrowth, GrowFileListCopiesTheOldSlotsIntoAZeroFilledArray) {
  auto old = static_cast<list_entry**>(calloc(2, sizeof(list_entry*)));
  list_entry a{}, b{};
  old[0] = &a;
  old[1] = &b;
  list_entry** grown = grow_file_list(old, 5, 2);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(grown[0], &a);
  EXPECT_EQ(grown[1], &b);
  EXPECT_EQ(grown[2], nullptr);
  EXPECT_EQ(grown[4], nullptr);
  free(grown);
}

// Running out of memory leaves a list that free_file_list releases completely (the leak
// checker of the address-sanitizer build watches this).
TEST(FileListGrowth, FailedEntryOrGrowthLeavesAListThatFreesCleanly) {
  growing_list list;
  ASSERT_TRUE(add_list_entry(list.entries, list.count, list.capacity, "D:\\a", 0));
  fail_worker_allocation_after(0);
  EXPECT_FALSE(add_list_entry(list.entries, list.count, list.capacity, "D:\\b", 0));
  EXPECT_EQ(list.count, 1);

  for (int32_t i = 2; i < list_growth; ++i)
    ASSERT_TRUE(add_list_entry(list.entries, list.count, list.capacity, "D:\\c", 0));
  fail_worker_allocation_after(1);  // the entry is had, the growth is not
  EXPECT_FALSE(add_list_entry(list.entries, list.count, list.capacity, "D:\\last", 0));
  EXPECT_EQ(list.count, list_growth);
  EXPECT_EQ(list.capacity, list_growth);
  EXPECT_STREQ(list.entries[list.count - 1]->path, "D:\\last");
  fail_worker_allocation_after(-1);
}

struct order_case {
  const char* name;
  const char* smaller;
  const char* larger;
};

class PathOrder : public testing::TestWithParam<order_case> {};

TEST_P(PathOrder, SortsDescendingSoTheSmallerPathIsTakenFirst) {
  const order_case& c = GetParam();
  list_entry small{}, large{};
  snprintf(small.path, sizeof small.path, "%s", c.smaller);
  snprintf(large.path, sizeof large.path, "%s", c.larger);
  list_entry* slots[] = {&small, &large};
  qsort(slots, 2, sizeof slots[0], compare_paths_descending);
  EXPECT_EQ(slots[0], &large) << c.name;
  EXPECT_EQ(slots[1], &small) << c.name;  // the copy loop starts at the end
  list_entry* same[] = {&small, &small};
  EXPECT_EQ(compare_paths_descending(&same[0], &same[1]), 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, PathOrder,
    testing::Values(order_case{"capital B after small a", "D:\\s\\a.txt", "D:\\s\\B.txt"},
                    order_case{"letters fold to lower case", "D:\\s\\_x", "D:\\s\\Ax"},
                    order_case{"case alone does not order", "D:\\s\\A1", "D:\\s\\a2"},
                    order_case{"a prefix is the smaller", "D:\\s\\ab", "D:\\s\\abc"},
                    order_case{"backslash before letters", "D:\\s\\a\\z", "D:\\s\\aa"},
                    order_case{"GBK bytes compare unsigned", "D:\\s\\z", "D:\\s\\乗"},
                    order_case{"trail bytes fold like any byte", "D:\\s\\\x81\x61",
                               "D:\\s\\\x81\x5A"}));
}  // namespace
