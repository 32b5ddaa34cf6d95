// A small file system (tmpfs) mounted over a folder of the test, under Wine, for a volume that
// fills up during a job. Possible only where the test may mount (as root); elsewhere
// mount_small_volume is false and the test skips.
#pragma once
#include <windows.h>

#include <string>

struct small_volume {
  std::string folder;       // the Windows path mounted over
  std::string unix_folder;  // its Unix name
  bool mounted = false;
};

// Mounts `bytes` (a tmpfs size such as "1m" or "4k") over folder; true once Windows sees its
// total size at or below most_bytes.
bool mount_small_volume(small_volume& volume, const std::string& folder, const char* bytes,
                        ULONGLONG most_bytes);
// Unmounts it again (lazily: Wine may still watch it) and waits until Windows sees the folder's
// own volume.
void unmount_small_volume(small_volume& volume, ULONGLONG most_bytes);
