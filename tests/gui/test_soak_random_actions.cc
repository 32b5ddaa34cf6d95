// Stop, Pause, Continue, Start and speed changes pressed in a seeded random order at seeded
// random moments over many small jobs. Whatever the timing, every job must end in an idle
// dialog with a destination holding only whole copies and its sources untouched.
// FERRIX_SOAK_ACTIONS sets the number of actions (20 by default), FERRIX_SOAK_SEED the seed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
constexpr int slider_min = 62383;
constexpr int slider_max = 161181;

int from_environment(const char* name, int fallback) {
  const char* text = getenv(name);
  return text != nullptr && atoi(text) > 0 ? atoi(text) : fallback;
}

class SoakRandomActions : public FaultFixture {
 protected:
  bool running() { return driver::control_text(dialog, IDC_START_STOP) == TEXT_STOP; }

  // A job has ended (by Stop or by itself): the whole invariant, counted.
  void check_after_job() {
    const int parts_before = reported_parts();
    EXPECT_TRUE(dismiss_notices_until([&] {
      return driver::control_text(dialog, IDC_START_STOP) == TEXT_START &&
             driver::is_enabled(dialog, IDC_START_STOP);
    })) << "after action " << actions_;
    EXPECT_TRUE(tree_invariant::dialog_ends_idle(ferrix)) << "after action " << actions_;
    EXPECT_TRUE(tree_invariant::destination_holds_only_copies(sources, dest, &counts_))
        << "after action " << actions_;
    EXPECT_TRUE(tree_invariant::unchanged_since(before, {root}, dest))
        << "after action " << actions_;
    if (reported_parts() > parts_before) ++failures_;
  }
  // Only failures are recorded as parts of a test's result.
  static int reported_parts() {
    return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
  }

  int actions_ = 0;
  int jobs_ = 0;
  int failures_ = 0;
  tree_invariant::tally counts_;
};

TEST_F(SoakRandomActions, EveryJobEndsIdleWithOnlyWholeCopies) {
  const int action_count = from_environment("FERRIX_SOAK_ACTIONS", 20);
  const unsigned seed = static_cast<unsigned>(from_environment("FERRIX_SOAK_SEED", 20261207));
  std::mt19937 random(seed);
  std::vector<std::string> trees;
  for (int t = 0; t < 2; ++t) {
    trees.push_back(folder("source" + std::to_string(t)));
    ASSERT_TRUE(file_tree::make_folder(trees.back() + "\\sub"));
    for (int f = 0; f < 4; ++f)
      ASSERT_NO_FATAL_FAILURE(make_file(trees.back() + (f % 2 ? "\\sub" : "") + "\\f" +
                                            std::to_string(f) + ".bin",
                                        2000 + random() % 60000));
  }
  ASSERT_TRUE(set_up_job(trees, folder("dest")));
  // Later jobs meet the earlier copies: replaced, so each job has work, and no notice waits.
  driver::click(dialog, IDC_OVERWRITE_ALL);
  ASSERT_TRUE(tick_dont_notify());

  for (actions_ = 1; actions_ <= action_count; ++actions_) {
    Sleep(random() % 400);  // the moment comes from the seed, not from the job's progress
    const bool was_running = running();
    switch (random() % 6) {
      case 0:
      case 1:  // Start, or Stop when a job runs
        if (driver::is_enabled(dialog, IDC_START_STOP)) {
          driver::click(dialog, IDC_START_STOP);
          if (!was_running) ++jobs_;
        }
        break;
      case 2:
      case 3:  // Pause, or Continue when paused
        if (driver::is_enabled(dialog, IDC_PAUSE)) driver::click(dialog, IDC_PAUSE);
        break;
      case 4:  // a speed anywhere between the slowest and unlimited
        driver::set_slider(dialog,
                           slider_min + static_cast<int>(random() % (slider_max - slider_min + 1)));
        break;
      default:
        break;  // let the job run a while
    }
    // A job that has ended (stopped, or finished by itself) is checked before the next action.
    if (!running()) check_after_job();
    if (HasFatalFailure()) break;
  }
  if (running()) driver::click(dialog, IDC_START_STOP);
  check_after_job();
  EXPECT_EQ(driver::close_ferrix(ferrix), 1);

  printf("soak: cases=%d, actions=%d, files checked=%d, bytes compared=%llu, failures=%d\n",
         jobs_, action_count, counts_.files_checked,
         static_cast<unsigned long long>(counts_.bytes_compared), failures_);
  fflush(stdout);
}

}  // namespace
