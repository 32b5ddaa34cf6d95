// An open-addressed hash table of list indices. A hash match is confirmed by the host's own
// comparison; the hash's fold must join every pair of names the host joins (docs/reliability.md
// says what is known of Windows' and Wine's folds).
#include "engine/copied_names.h"

#include <cstdlib>
#include <cstring>

#include "core/gbk_case_fold.h"
#include "platform/names.h"
#include "platform/worker_memory.h"

namespace {
constexpr uint32_t first_capacity = 1024;

uint32_t slot_hash(uint64_t slot) { return static_cast<uint32_t>(slot >> 32); }
int32_t slot_index(uint64_t slot) { return static_cast<int32_t>(slot & 0xFFFFFFFFu) - 1; }

// The source slot is part of the key: twins are files of one source.
uint32_t key_of(const list_entry& entry) {
  return gbk_folded_hash(entry.path) ^ (static_cast<uint32_t>(entry.source_slot) * 0x9E3779B9u);
}

void insert_slot(uint64_t* slots, uint32_t capacity, uint64_t slot) {
  uint32_t at = slot_hash(slot) & (capacity - 1);
  while (slots[at] != 0) at = (at + 1) & (capacity - 1);
  slots[at] = slot;
}

bool grow(copied_names& names) {
  uint32_t capacity = names.capacity == 0 ? first_capacity : names.capacity * 2;
  auto slots = static_cast<uint64_t*>(worker_calloc(capacity, sizeof(uint64_t)));
  if (!slots) return false;
  for (uint32_t i = 0; i < names.capacity; ++i)
    if (names.slots[i] != 0) insert_slot(slots, capacity, names.slots[i]);
  free(names.slots);
  names.slots = slots;
  names.capacity = capacity;
  return true;
}
}  // namespace

void remember_copied(copied_names& names, list_entry* const* list, int32_t index) {
  if ((names.used + 1) * 2 > names.capacity && !grow(names)) return;
  insert_slot(names.slots, names.capacity,
              static_cast<uint64_t>(key_of(*list[index])) << 32 |
                  static_cast<uint32_t>(index + 1));
  ++names.used;
}

bool copied_twin_exists(const copied_names& names, list_entry* const* list,
                        const list_entry& entry) {
  if (names.capacity == 0) return false;
  const uint32_t key = key_of(entry);
  for (uint32_t at = key & (names.capacity - 1); names.slots[at] != 0;
       at = (at + 1) & (names.capacity - 1)) {
    if (slot_hash(names.slots[at]) != key) continue;
    const list_entry& earlier = *list[slot_index(names.slots[at])];
    if (earlier.source_slot == entry.source_slot && strcmp(earlier.path, entry.path) != 0 &&
        same_path_ignoring_case(earlier.path, entry.path))
      return true;
  }
  return false;
}

void forget_copied(copied_names& names) {
  free(names.slots);
  names = {};
}
