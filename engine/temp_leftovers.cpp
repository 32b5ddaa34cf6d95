// Leftovers are cleared where a temporary is about to be made, so a re-run of a crashed job
// finds them in the folders it writes to, at the cost of one listing per such folder.
#include "engine/temp_leftovers.h"

#include <cstdio>

#include "engine/dest_path.h"
#include "engine/file_list.h"
#include "platform/files.h"

void clear_temp_leftovers(const char* folder) {
  char pattern[job_path_size + temp_name_length];
  snprintf(pattern, sizeof pattern, "%s~fx*", folder);
  folder_listing* listing = folder_listing_open(pattern);
  if (!listing) return;
  folder_entry entry;
  while (folder_listing_next(listing, &entry)) {
    if (entry.is_folder || !is_temp_name(entry.name)) continue;
    char path[job_path_size + temp_name_length];
    snprintf(path, sizeof path, "%s%s", folder, entry.name);
    delete_abandoned_file(path);  // one still in use stays, without a word
  }
  folder_listing_close(listing);
}
