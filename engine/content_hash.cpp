// XXH3-128 compiled into this file alone, so the program needs no library of it at run time.
#include "engine/content_hash.h"

#include <new>

#define XXH_INLINE_ALL
#include <xxhash.h>

static_assert(sizeof(XXH3_state_t) <= sizeof(content_hash::state));
static_assert(alignof(XXH3_state_t) <= alignof(content_hash));

namespace {
XXH3_state_t* state_of(content_hash& hash) {
  return std::launder(reinterpret_cast<XXH3_state_t*>(hash.state));
}
const XXH3_state_t* state_of(const content_hash& hash) {
  return std::launder(reinterpret_cast<const XXH3_state_t*>(hash.state));
}
}  // namespace

void content_hash_start(content_hash& hash) {
  XXH3_state_t* state = new (hash.state) XXH3_state_t;
  XXH3_INITSTATE(state);
  XXH3_128bits_reset(state);
}

void content_hash_add(content_hash& hash, const void* bytes, size_t count) {
  XXH3_128bits_update(state_of(hash), bytes, count);
}

content_digest content_hash_finish(const content_hash& hash) {
  const XXH128_hash_t digest = XXH3_128bits_digest(state_of(hash));
  return {digest.low64, digest.high64};
}

bool same_content(const content_digest& a, const content_digest& b) {
  return a.low == b.low && a.high == b.high;
}
