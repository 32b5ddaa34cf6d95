// Deterministic clock for tests; see fake_clock.h.
#include "platform/testing/fake_clock.h"

#include <mutex>

#include "platform/clock.h"

namespace {
std::mutex guard;
int64_t now_ms = 0;
std::vector<int32_t> sleeps;
std::function<void(int32_t)> sleep_hook;
}  // namespace

void fake_clock_reset(int64_t start_milliseconds) {
  std::lock_guard<std::mutex> lock(guard);
  now_ms = start_milliseconds;
  sleeps.clear();
  sleep_hook = nullptr;
}

void fake_clock_advance(int64_t milliseconds) {
  std::lock_guard<std::mutex> lock(guard);
  now_ms += milliseconds;
}

int64_t fake_clock_milliseconds() {
  std::lock_guard<std::mutex> lock(guard);
  return now_ms;
}

std::vector<int32_t> fake_clock_sleeps() {
  std::lock_guard<std::mutex> lock(guard);
  return sleeps;
}

void fake_clock_on_sleep(std::function<void(int32_t)> hook) {
  std::lock_guard<std::mutex> lock(guard);
  sleep_hook = std::move(hook);
}

int32_t clock_seconds() {
  std::lock_guard<std::mutex> lock(guard);
  // Floor division so that times before the epoch still tick once per second.
  int64_t seconds = now_ms >= 0 ? now_ms / 1000 : -((-now_ms + 999) / 1000);
  return static_cast<int32_t>(seconds);
}

void sleep_ms(int32_t milliseconds) {
  std::function<void(int32_t)> hook;
  {
    std::lock_guard<std::mutex> lock(guard);
    now_ms += milliseconds;
    sleeps.push_back(milliseconds);
    hook = sleep_hook;
  }
  if (hook) hook(milliseconds);
}
