// The worker's latest display values, guarded by one lock held only to copy them.
#include "core/display_mailbox.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex guard;
display_changes pending{false, "", -1, -1};
bool anything_pending = false;
}  // namespace

void post_current_file(const char* dest_path) {
  std::lock_guard<std::mutex> lock(guard);
  snprintf(pending.current_file, sizeof pending.current_file, "%s", dest_path);
  pending.has_current_file = true;
  anything_pending = true;
}

void post_file_progress(int32_t percent) {
  std::lock_guard<std::mutex> lock(guard);
  pending.file_progress = percent;
  anything_pending = true;
}

void post_overall_progress(int32_t percent) {
  std::lock_guard<std::mutex> lock(guard);
  pending.overall_progress = percent;
  anything_pending = true;
}

bool take_display_changes(display_changes& changes) {
  std::lock_guard<std::mutex> lock(guard);
  if (!anything_pending) return false;
  changes = pending;
  pending = display_changes{false, "", -1, -1};
  anything_pending = false;
  return true;
}
