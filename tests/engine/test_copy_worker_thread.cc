// The worker on a thread of its own while the test plays the dialog's thread: Pause and Stop
// arrive from outside, as flags only, and the worker notices them where it looks.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/job_state.h"
#include "engine/copy_worker.h"
#include "platform/testing/fake_clock.h"
#include "tests/support/copy_job_fixture.h"

namespace {
TEST_F(CopyJob, StopFromTheDialogThreadEndsAPausedJob) {
  scratch::write_tree(host("src"), {{"a.bin", scratch::pattern_bytes(5000, 51)}, {"b", "b"}});
  set_sources({engine("src")});
  set_dest(engine("out"));
  store(job_state.paused, 1);  // the first chunk waits

  std::mutex guard;
  std::condition_variable changed;
  bool waiting = false;
  bool stopped = false;
  fake_clock_on_sleep([&](int32_t milliseconds) {
    if (milliseconds != 50) return;
    std::unique_lock<std::mutex> lock(guard);
    waiting = true;
    changed.notify_all();
    changed.wait(lock, [&] { return stopped; });
  });

  int32_t result = -2;
  std::thread worker([&] { result = copy_worker(); });
  {
    std::unique_lock<std::mutex> lock(guard);
    changed.wait(lock, [&] { return waiting; });
    store(job_state.running, 0);  // what Stop does
    stopped = true;
    changed.notify_all();
  }
  worker.join();

  EXPECT_EQ(result, 0);
  EXPECT_TRUE(scratch::same_tree({}, host("out"))) << "one chunk was copied, then deleted";
  EXPECT_EQ(texts_of(report_kind::current_file), std::vector<std::string>{engine("out\\a.bin")});
  EXPECT_EQ(job_log().back(), "worker gone");
  EXPECT_EQ(load(job_state.running), 0);
}
}  // namespace
