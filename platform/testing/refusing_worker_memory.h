// Test backend of the worker's allocations: the C library's, except the one a test refuses.
#pragma once
#include <cstdint>

// After this many further successful allocations the next one fails, once.
// A negative count (the default) never fails.
void fail_worker_allocation_after(int32_t successes);
