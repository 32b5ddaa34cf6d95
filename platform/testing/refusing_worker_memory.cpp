// The worker's allocations in the tests, and the hook that can refuse one of them.
#include "platform/testing/refusing_worker_memory.h"

#include <atomic>
#include <cstdlib>

#include "platform/worker_memory.h"

namespace {
std::atomic<int32_t> successes_before_failure{-1};

// True when this allocation is the one the test asked to fail.
bool refused_by_test() {
  int32_t left = successes_before_failure.load(std::memory_order_relaxed);
  if (left < 0) return false;
  successes_before_failure.store(left - 1, std::memory_order_relaxed);
  return left == 0;
}
}  // namespace

void* worker_calloc(size_t count, size_t size) {
  return refused_by_test() ? nullptr : calloc(count, size);
}

void* worker_malloc(size_t size) { return refused_by_test() ? nullptr : malloc(size); }

void fail_worker_allocation_after(int32_t successes) {
  successes_before_failure.store(successes, std::memory_order_relaxed);
}
