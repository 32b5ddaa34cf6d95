// Source scan: folder prefixes, the listing walk, cycle and length guards, the running total.
#include "engine/source_scan.h"

#include <cstdio>
#include <cstring>

#include "core/gbk_text.h"
#include "engine/job_data.h"
#include "engine/notice.h"
#include "platform/worker_memory.h"

namespace {
constexpr size_t max_path_length = job_path_size - 1;
// A link may lead a folder onto another volume, where indices start again. Asked once per
// folder, never per file.
constexpr identity_scope folder_scope = identity_scope::across_volumes;
// Room for any prefix the scan can compose (root, relative path and two backslashes), so that
// a refused one is still shown whole.
constexpr size_t prefix_buffer_size = 2 * job_path_size + 8;

// root, a backslash unless root ends with one, relative_path, a backslash unless the text so
// far ends with one. Returns the full length, which may pass the buffer's.
size_t build_folder_prefix(const char* root, const char* relative_path, char* prefix,
                           size_t prefix_size) {
  snprintf(prefix, prefix_size, "%s%s", root, gbk_ends_with_backslash(root) ? "" : "\\");
  size_t length = strlen(prefix);
  snprintf(prefix + length, prefix_size - length, "%s", relative_path);
  length = strlen(prefix);
  if (!gbk_ends_with_backslash(prefix)) snprintf(prefix + length, prefix_size - length, "\\");
  return strlen(prefix);
}

bool already_on_path(const file_identity& identity, const folder_on_path* ancestors) {
  for (const folder_on_path* folder = ancestors; folder; folder = folder->parent)
    if (same_identity(folder->identity, identity)) return true;
  return false;
}

// Stop ends the scan too, within the entry being listed: Start comes back at once.
bool giving_up(const scan_context& context) {
  return context.out_of_memory || load(job_state.closing) != 0 || load(job_state.running) == 0;
}

// A file or folder of the sources that is not listed: an error of the job, with the read-error
// notice naming it.
void report_unlisted(notice_kind kind, const char* path) {
  ++job_data.errors;
  show_file_notice(kind, path);
}

void report_unlisted(notice_kind kind, const char* prefix, const char* name) {
  char path[composed_path_size];
  snprintf(path, sizeof path, "%s%s", prefix, name);
  report_unlisted(kind, path);
}

// The folder a prefix names, as a user would write it: without the backslash that closes it,
// except where that backslash is all there is of a root ("E:\").
void report_unlistable_folder(const char* prefix) {
  char folder[composed_path_size];
  snprintf(folder, sizeof folder, "%s", prefix);
  const char* last = gbk_last_backslash(folder);
  if (last && last[1] == '\0' && last > folder && last[-1] != ':')
    folder[last - folder] = '\0';
  report_unlisted(notice_kind::folder_not_listed, folder);
}

// A listed name that would lead somewhere else once joined to a path: a separator inside it
// (a name from a system where the backslash is an ordinary character), or a file named like a
// relative step.
bool names_another_place(const folder_entry& entry) {
  if (gbk_next_backslash(entry.name) != nullptr || strchr(entry.name, '/') != nullptr)
    return true;
  return !entry.is_folder && (strcmp(entry.name, ".") == 0 || strcmp(entry.name, "..") == 0);
}

void scan_subfolder(const char* root, const char* relative_path, const char* prefix,
                    const char* name, list_entry**& list, int32_t& file_count,
                    int32_t& file_capacity, scan_context& context) {
  // Its own prefix (prefix, name, backslash) must fit; its relative path is shorter still.
  if (strlen(prefix) + strlen(name) + 1 > max_path_length) {
    report_unlisted(notice_kind::path_too_long, prefix, name);
    return;
  }
  char sub_relative[job_path_size];
  int length = snprintf(sub_relative, sizeof sub_relative, "%s%s%s", relative_path,
                        relative_path[0] ? "\\" : "", name);
  if (length < 0 || static_cast<size_t>(length) >= sizeof sub_relative) return;
  scan_folder(root, sub_relative, list, file_count, file_capacity, context);
}

void list_file(const char* prefix, const folder_entry& entry, list_entry**& list,
               int32_t& file_count, int32_t& file_capacity, scan_context& context) {
  size_t prefix_length = strlen(prefix);
  size_t name_length = strlen(entry.name);
  if (prefix_length + name_length > max_path_length) {
    report_unlisted(notice_kind::path_too_long, prefix, entry.name);
    return;
  }
  char path[job_path_size];
  memcpy(path, prefix, prefix_length);
  memcpy(path + prefix_length, entry.name, name_length + 1);
  if (!add_list_entry(list, file_count, file_capacity, path, context.source_slot, entry.size)) {
    context.out_of_memory = true;
    return;
  }
  job_data.total_bytes += entry.size;
}
}  // namespace

void scan_folder(const char* root, const char* relative_path, list_entry**& list,
                 int32_t& file_count, int32_t& file_capacity, scan_context& context) {
  // A root ending in a cut-off character names no folder: the backslash after it would be read
  // as that character's second byte, and the listing would be of some other folder.
  if (gbk_ends_with_cut_character(root)) {
    report_unlisted(notice_kind::folder_not_listed, root);
    return;
  }
  char prefix[prefix_buffer_size];
  if (build_folder_prefix(root, relative_path, prefix, sizeof prefix) > max_path_length) {
    report_unlisted(notice_kind::path_too_long, prefix);
    return;
  }

  folder_on_path here{{}, context.ancestors};
  if (get_file_identity(prefix, folder_scope, &here.identity)) {
    if (already_on_path(here.identity, context.ancestors)) return;
    if (relative_path[0] != '\0' && context.has_dest && same_identity(here.identity, context.dest))
      return;
    context.ancestors = &here;
  }

  char pattern[job_path_size + 4];
  snprintf(pattern, sizeof pattern, "%s*.*", prefix);
  folder_listing* listing = folder_listing_open(pattern);
  if (!listing) {
    report_unlistable_folder(prefix);
    context.ancestors = here.parent;
    return;
  }
  folder_entry entry;
  while (!giving_up(context) && folder_listing_next(listing, &entry)) {
    if (entry.is_folder && (strcmp(entry.name, ".") == 0 || strcmp(entry.name, "..") == 0))
      continue;  // the listing's own entries
    if (names_another_place(entry))
      report_unlisted(notice_kind::name_refused, prefix, entry.name);
    else if (entry.is_folder)
      scan_subfolder(root, relative_path, prefix, entry.name, list, file_count, file_capacity,
                     context);
    else
      list_file(prefix, entry, list, file_count, file_capacity, context);
  }
  folder_listing_close(listing);
  context.ancestors = here.parent;
}

int32_t scan_sources(const char (*sources)[job_path_size], int32_t source_count,
                     list_entry**& list) {
  int32_t file_count = 0;
  int32_t file_capacity = list_growth;
  list = static_cast<list_entry**>(worker_calloc(file_capacity, sizeof(list_entry*)));
  if (!list) return -1;

  scan_context context{0, nullptr, false, false, {}};
  context.has_dest = job_state.dest_root[0] != '\0' &&
                     !gbk_ends_with_cut_character(job_state.dest_root) &&
                     get_file_identity(job_state.dest_root, folder_scope, &context.dest);
  for (int32_t slot = 0; slot < source_count && !giving_up(context); ++slot) {
    context.source_slot = slot;
    scan_folder(sources[slot], "", list, file_count, file_capacity, context);
  }
  if (context.out_of_memory) {
    free_file_list(list, file_count);
    list = nullptr;
    return -1;
  }
  return file_count;
}
