// The destination folders this job has made. Nothing stands in such a folder but what the job
// put there, so a file's exists test can wait for its rename, which refuses a name already
// taken: the test then runs late, on that rare file alone. Remembered by a hash of the path in
// one of a few slots, so a folder may be forgotten (its files are tested up front again) or
// taken for another (that folder's files are tested late): either way every file is tested.
#pragma once
#include <cstdint>

struct made_folders {
  uint64_t slots[64];  // 1 << 32 | the hash of a folder's path; 0 is a free slot
};

void remember_made_folder(made_folders& made, const char* folder_path);
bool is_made_folder(const made_folders& made, const char* folder_path);
