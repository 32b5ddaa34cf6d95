// The product's worker allocations: the C library's, on every host.
#include "platform/worker_memory.h"

#include <cstdlib>

void* worker_calloc(size_t count, size_t size) { return calloc(count, size); }

void* worker_malloc(size_t size) { return malloc(size); }
