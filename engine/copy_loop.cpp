// The copy loop: per file the all-files bar, the destination path and its folders, the opens,
// the chunks; at the end the completion steps.
#include "engine/copy_loop.h"

#include <cstdio>
#include <cstring>

#include "core/job_state.h"
#include "engine/dest_path.h"
#include "engine/file_copy.h"
#include "core/gbk_text.h"
#include "engine/job_data.h"
#include "engine/notice.h"
#include "engine/percent.h"
#include "engine/progress_bars.h"
#include "core/job_reports.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {
// The file's destination, reported as the current file and its folders created. False (with the
// write-error notice) when the path would pass 255 characters, or when the root ends in a
// cut-off character, which would swallow the backslash after it and put the file beside the
// destination folder instead of in it: the file is skipped.
bool prepare_destination(file_copy& file, int32_t source_slot) {
  path_pieces pieces;
  split_file_path(file.source_file_path, pieces);
  char drive_and_folder[list_path_size + 4];
  snprintf(drive_and_folder, sizeof drive_and_folder, "%s%s", pieces.drive, pieces.folder);
  const char* source =
      source_slot >= 0 && source_slot < max_sources ? job_state.sources[source_slot] : "";

  char dest_path[notice_path_size];
  size_t length =
      compose_dest_path(job_state.dest_root, relative_folder_of(drive_and_folder, source),
                        pieces.name, dest_path, sizeof dest_path);
  report_current_file(dest_path);
  if (length >= sizeof file.dest_file_path || gbk_ends_with_cut_character(job_state.dest_root)) {
    show_file_notice(TEXT_WRITE_ERROR, dest_path);
    return false;
  }
  memcpy(file.dest_file_path, dest_path, length + 1);
  create_dest_folders(file.dest_file_path);
  return true;
}

void end_job(progress_bars& bars, int32_t files_left, int32_t file_count) {
  report_estimate_line(TEXT_ALL_DONE);
  show_file_progress(bars, 0);
  show_all_progress(bars, percent_of(static_cast<uint64_t>(files_left), file_count));
  report_job_finished();
  store(job_state.running, 0);
}
}  // namespace

void create_dest_folders(const char* dest_file_path) {
  char level[list_path_size];
  char deepest[list_path_size] = "";
  size_t cursor = 0;
  while (next_folder_level(dest_file_path, cursor, level)) memcpy(deepest, level, sizeof level);
  // A folder that exists, or can be made, has all its parents: one call settles the usual case
  // (every file after the first of its folder) at a fraction of the file-system lookups.
  if (deepest[0] == '\0' || make_folder(deepest) != make_folder_result::failed) return;
  cursor = 0;
  while (next_folder_level(dest_file_path, cursor, level))
    make_folder(level);  // "exists" is normal; any other failure shows at the file's open
}

void copy_files(int32_t file_count) {
  rate_meter meter{};
  rate_meter_start(meter);
  progress_bars bars;
  uint32_t temp_number = 0;
  int32_t files_left = file_count;
  while (files_left != 0 && load(job_state.running)) {
    show_all_progress(bars, percent_of(static_cast<uint64_t>(files_left), file_count));
    const list_entry* entry = job_data.file_list[files_left - 1];
    file_copy file{};
    snprintf(file.source_file_path, sizeof file.source_file_path, "%s", entry->path);
    if (prepare_destination(file, entry->source_slot) && open_file_streams(file, temp_number)) {
      rate_meter_file_start(meter);
      copy_file_chunks(file, meter, bars, files_left);
      show_file_progress(bars, 100);
    } else {
      sleep_ms(load(job_state.chunk_delay_ms));
    }
    --files_left;
  }
  end_job(bars, files_left, file_count);
}
