// The shared job record and the snapshot's copying rules.
#include "core/job_state.h"

#include <cstdio>

job_state_record job_state;

namespace {
template <size_t size>
void copy_as_backslash_path(char (&slot)[size], const char* text) {
  snprintf(slot, size, "%s", text);
  for (char* c = slot; *c; ++c)
    if (*c == '/') *c = '\\';
}
}  // namespace

void snapshot_source(int slot, const char* text) {
  copy_as_backslash_path(job_state.sources[slot], text);
}

void snapshot_dest_root(const char* text) { copy_as_backslash_path(job_state.dest_root, text); }
