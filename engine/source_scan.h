// The scan: every file below every source folder into the file list, sizes into total_bytes.
#pragma once
#include <cstdint>

#include "core/job_state.h"
#include "engine/file_list.h"
#include "platform/files.h"

// A folder on the scan's current path, innermost first: a folder met again below itself (a
// link or junction leading back up) is not entered a second time.
struct folder_on_path {
  file_identity identity;
  const folder_on_path* parent;
};

struct scan_context {
  int32_t source_slot;              // the slot being scanned, remembered by every entry
  const folder_on_path* ancestors;  // folders from the root down to the one being scanned
  bool out_of_memory;               // an entry or a growth could not be had: the scan stops
  // The destination folder as it stood when the scan began (none when it did not exist yet):
  // below a source it is never entered, or every run would copy the last one's copy again.
  bool has_dest;
  file_identity dest;
};

// Scans the first source_count slots in slot order into a new list handed back through list.
// A folder below a source that is job_state.dest_root (by identity: any spelling or path to it)
// is passed over quietly with all it holds; a source that is the destination is scanned.
// Returns the entry count; -1 when memory ran out, in which case everything obtained has been
// freed and list is null. Gives up early (keeping what it has) once the job is stopped or the
// dialog is closing.
int32_t scan_sources(const char (*sources)[job_path_size], int32_t source_count,
                     list_entry**& list);

// Scans the folder relative_path below root, and every folder below it, into the list.
// Each of these is left out, reported with the read-error notice (unless dont_notify is set)
// and counted as an error of the job: a file or folder whose full path would pass 255
// characters; a name that holds a separator, or a file named "." or ".."; a folder that cannot
// be listed (missing, refused, a name the code page cannot hold) and a root ending in a
// cut-off character (a lead byte with no second byte). A folder met again below itself, and
// the destination below root, are passed over quietly.
void scan_folder(const char* root, const char* relative_path, list_entry**& list,
                 int32_t& file_count, int32_t& file_capacity, scan_context& context);
