#include "engine/made_folders.h"

#include "core/gbk_case_fold.h"

namespace {
constexpr uint64_t in_use = uint64_t{1} << 32;
constexpr uint32_t slot_count = sizeof(made_folders::slots) / sizeof(made_folders::slots[0]);

uint64_t slot_value(const char* folder_path) { return in_use | gbk_folded_hash(folder_path); }
}  // namespace

void remember_made_folder(made_folders& made, const char* folder_path) {
  const uint64_t value = slot_value(folder_path);
  made.slots[value % slot_count] = value;
}

bool is_made_folder(const made_folders& made, const char* folder_path) {
  const uint64_t value = slot_value(folder_path);
  return made.slots[value % slot_count] == value;
}
