// The display mailbox: the dialog takes only the newest of each value, never one twice, and
// never misses the last one the worker posted, however the two threads interleave.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "core/display_mailbox.h"

namespace {
display_changes taken;

TEST(DisplayMailbox, GivesTheNewestOfEachValueOnceAndLeavesTheRestUnchanged) {
  while (take_display_changes(taken)) {}  // whatever an earlier test left
  post_current_file("D:\\out\\a");
  post_file_progress(40);
  post_current_file("D:\\out\\b");
  post_file_progress(100);
  ASSERT_TRUE(take_display_changes(taken));
  EXPECT_TRUE(taken.has_current_file);
  EXPECT_STREQ(taken.current_file, "D:\\out\\b");
  EXPECT_EQ(taken.file_progress, 100);
  EXPECT_EQ(taken.overall_progress, -1) << "never posted: the bar keeps what it shows";
  EXPECT_FALSE(take_display_changes(taken)) << "nothing new since";

  post_overall_progress(0);
  ASSERT_TRUE(take_display_changes(taken));
  EXPECT_FALSE(taken.has_current_file);
  EXPECT_EQ(taken.file_progress, -1);
  EXPECT_EQ(taken.overall_progress, 0) << "0 is a position, not 'unchanged'";
}

// What the dialog shows: each take changes only the fields it carries, the rest stay.
struct shown_display {
  int file = -1;
  int32_t file_progress = -1;
  int32_t overall_progress = -1;
};

TEST(DisplayMailbox, TheLastPostBeforeTheEndIsAlwaysTaken) {
  while (take_display_changes(taken)) {}
  constexpr int files = 20000;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < files; ++i) {
      post_current_file(std::to_string(i).c_str());
      post_file_progress(i % 101);
      post_overall_progress(100 - i % 101);
    }
    done.store(true);
  });
  shown_display shown;
  auto take_and_show = [&] {
    if (!take_display_changes(taken)) return;
    if (taken.has_current_file) {
      const int file = std::stoi(taken.current_file);
      EXPECT_GT(file, shown.file) << "an older file shown after a newer one";
      shown.file = file;
    }
    if (taken.file_progress != -1) shown.file_progress = taken.file_progress;
    if (taken.overall_progress != -1) shown.overall_progress = taken.overall_progress;
  };
  while (!done.load()) take_and_show();
  worker.join();
  take_and_show();  // the refresh at the job's end
  EXPECT_EQ(shown.file, files - 1);
  EXPECT_EQ(shown.file_progress, (files - 1) % 101);
  EXPECT_EQ(shown.overall_progress, 100 - (files - 1) % 101);
}
}  // namespace
