// Every allocation of the copy worker goes through here. The product links the C library's
// allocator; the tests link one that refuses the n-th allocation, to watch a job end cleanly.
#pragma once
#include <cstddef>

// calloc and malloc as the C library has them; null when memory (or a test) says no.
void* worker_calloc(size_t count, size_t size);
void* worker_malloc(size_t size);
