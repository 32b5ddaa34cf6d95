// The list of files a job copies: an array of pointers to separately allocated entries, grown
// by a fixed step and sorted so that the copy loop can take it from the end.
#pragma once
#include <cstdint>

#include "core/limits.h"

constexpr int32_t list_growth = 1024;  // first capacity and every growth step

struct list_entry {
  char path[job_path_size];  // full source path of one file
  // Its size as listed (taken out of the estimate when the file is not copied) and the
  // sources slot it was found under, in one word: the entry stays in the heap block size
  // it had before it knew its size.
  uint64_t size : 48;
  uint64_t source_slot : 16;
};

// Allocates a zero-filled array of new_capacity slots, moves the old_capacity pointers of old
// into it and frees old. Returns the new array, or null (old left untouched) when memory ran out.
list_entry** grow_file_list(list_entry** old, int32_t new_capacity, int32_t old_capacity);

// Stores a new entry at slot count and grows the array once its last free slot is used, so the
// slot at count is always free afterwards. False when memory ran out for the entry or the
// growth; the list, count included, then still describes exactly what free_file_list must free.
bool add_list_entry(list_entry**& list, int32_t& count, int32_t& capacity, const char* path,
                    int32_t source_slot, uint64_t size = 0);

// qsort comparator over two list slots: descending, case-insensitive in ASCII letters only;
// paths equal but for case in byte order.
int compare_paths_descending(const void* a, const void* b);

// Frees the first count entries, then the array itself (null is fine).
void free_file_list(list_entry** list, int32_t count);
