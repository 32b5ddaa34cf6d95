// Every allocation of the copy worker goes through here, so that a test can make exactly the
// n-th one fail and watch the job end cleanly.
#pragma once
#include <cstddef>
#include <cstdint>

// calloc and malloc as the C library has them; null when memory (or the test) says no.
void* worker_calloc(size_t count, size_t size);
void* worker_malloc(size_t size);

// Test hook: after this many further successful allocations the next one fails, once.
// A negative count (the default) never fails.
void fail_worker_allocation_after(int32_t successes);
