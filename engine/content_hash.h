// A file's contents in 128 bits (XXH3-128), kept while its bytes pass: what was read from the
// source against what the destination gives back. No allocation; the state lives in the caller.
#pragma once
#include <cstddef>
#include <cstdint>

struct content_digest {
  uint64_t low;
  uint64_t high;
};

// Room for the hash's state, which only content_hash.cpp sees (it is checked there).
struct content_hash {
  alignas(64) unsigned char state[640];
};

void content_hash_start(content_hash& hash);
void content_hash_add(content_hash& hash, const void* bytes, size_t count);
// The digest of every byte added since the start.
content_digest content_hash_finish(const content_hash& hash);
bool same_content(const content_digest& a, const content_digest& b);
