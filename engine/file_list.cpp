// The file list's growth, its sort order and its release.
#include "engine/file_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/sort_order.h"
#include "platform/worker_memory.h"

list_entry** grow_file_list(list_entry** old, int32_t new_capacity, int32_t old_capacity) {
  auto grown = static_cast<list_entry**>(worker_calloc(new_capacity, sizeof(list_entry*)));
  if (!grown) return nullptr;
  memcpy(grown, old, sizeof(list_entry*) * old_capacity);
  free(old);
  return grown;
}

bool add_list_entry(list_entry**& list, int32_t& count, int32_t& capacity, const char* path,
                    int32_t source_slot, uint64_t size) {
  auto entry = static_cast<list_entry*>(worker_malloc(sizeof(list_entry)));
  if (!entry) return false;
  snprintf(entry->path, sizeof entry->path, "%s", path);
  constexpr uint64_t largest_size = (uint64_t{1} << 48) - 1;  // 256 TiB
  entry->size = size < largest_size ? size : largest_size;
  entry->source_slot = static_cast<uint16_t>(source_slot);
  list[count] = entry;
  ++count;
  if (count < capacity) return true;

  list_entry** grown = grow_file_list(list, capacity + list_growth, capacity);
  if (!grown) return false;  // the entry is in the old list and is freed with it
  list = grown;
  capacity += list_growth;
  return true;
}

int compare_paths_descending(const void* a, const void* b) {
  const list_entry* left = *static_cast<list_entry* const*>(a);
  const list_entry* right = *static_cast<list_entry* const*>(b);
  // Twins that differ only in letter case keep one order, bytes deciding, so that which of
  // them is copied (the other is skipped) does not depend on the sort's whims.
  int order = compare_in_sort_order(left->path, right->path);
  return -(order != 0 ? order : strcmp(left->path, right->path));
}

void free_file_list(list_entry** list, int32_t count) {
  if (!list) return;
  for (int32_t i = 0; i < count; ++i) free(list[i]);
  free(list);
}
