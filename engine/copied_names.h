// The files this job has copied, remembered by a hash of their folded source paths, so that the
// twin rule finds an earlier twin wherever the sort put it: the sort folds bytes for its order
// only, and twins outside ASCII (or "圖"/"坉", which only a byte fold confuses) need not be
// neighbours. Eight bytes a copied file, at most half the slots in use.
#pragma once
#include <cstdint>

#include "engine/file_list.h"

struct copied_names {
  uint64_t* slots = nullptr;  // hash << 32 | (list index + 1); 0 is a free slot
  uint32_t capacity = 0;      // a power of two, or 0 before the first file
  uint32_t used = 0;
};

// Remembers list[index] as copied. When memory for a larger table cannot be had the file is
// not remembered (its later twin is then left to the exists test) and the table stays usable.
void remember_copied(copied_names& names, list_entry* const* list, int32_t index);

// True when a file copied earlier in this job came from the same source as entry, under a
// path the destination's file system takes for entry's (letter case aside) yet spelled
// otherwise: entry would land on that copy.
bool copied_twin_exists(const copied_names& names, list_entry* const* list,
                        const list_entry& entry);

void forget_copied(copied_names& names);
