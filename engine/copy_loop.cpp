// The copy loop: per file the all-files bar, the destination path and its folders, the opens,
// the chunks; at the end the completion steps.
#include "engine/copy_loop.h"

#include <cstdio>
#include <cstring>

#include "core/gbk_text.h"
#include "core/job_reports.h"
#include "core/job_state.h"
#include "engine/copied_names.h"
#include "engine/dest_path.h"
#include "engine/file_copy.h"
#include "engine/job_data.h"
#include "engine/made_folders.h"
#include "engine/notice.h"
#include "engine/percent.h"
#include "engine/progress_bars.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {
// What the loop keeps from one file to the next.
struct loop_memory {
  copied_names copied;
  temp_names temps;
  made_folders made;
};

// The file's destination, reported as the current file and its folders created. False (with
// the write-error notice) when the path would pass 255 characters, when the root ends in a
// cut-off character (which would swallow the backslash after it and put the file beside the
// destination folder instead of in it), or when the path would not stay below the root: the
// file fails.
bool prepare_destination(file_copy& file, int32_t source_slot, made_folders& made) {
  path_pieces pieces;
  split_file_path(file.source_file_path, pieces);
  char drive_and_folder[job_path_size + 4];
  snprintf(drive_and_folder, sizeof drive_and_folder, "%s%s", pieces.drive, pieces.folder);
  const char* source =
      source_slot >= 0 && source_slot < max_sources ? job_state.sources[source_slot] : "";
  const char* relative_folder = relative_folder_of(drive_and_folder, source);

  char dest_path[composed_path_size];
  size_t length = compose_dest_path(job_state.dest_root, relative_folder, pieces.name, dest_path,
                                    sizeof dest_path);
  job_state.reports->current_file(dest_path);
  if (length >= sizeof file.dest_file_path || gbk_ends_with_cut_character(job_state.dest_root) ||
      !stays_below_root(relative_folder, pieces.name)) {
    show_file_notice(notice_kind::write_error, dest_path);
    return false;
  }
  memcpy(file.dest_file_path, dest_path, length + 1);
  char folder[job_path_size];
  if (create_dest_folders(file.dest_file_path, folder)) remember_made_folder(made, folder);
  file.folder_made_by_job = folder[0] != '\0' && is_made_folder(made, folder);
  return true;
}

// The file's own folder, as create_dest_folders names it: with its backslash, empty when the
// path has none below its drive.
void own_folder_of(const char* dest_file_path, char (&folder)[job_path_size]) {
  char level[job_path_size];
  folder[0] = '\0';
  size_t cursor = 0;
  while (next_folder_level(dest_file_path, cursor, level)) memcpy(folder, level, sizeof level);
}

// A destination root the job finds empty holds, like a folder it made, only what the job puts
// there.
void remember_root_if_empty(made_folders& made) {
  char file_in_root[composed_path_size], root[job_path_size];
  compose_dest_path(job_state.dest_root, "", "x", file_in_root, sizeof file_in_root);
  own_folder_of(file_in_root, root);
  char pattern[job_path_size + 4];
  if (root[0] == '\0' || snprintf(pattern, sizeof pattern, "%s*.*", root) >= int{sizeof pattern})
    return;
  folder_listing* listing = folder_listing_open(pattern);
  if (!listing) return;
  folder_entry entry;
  bool empty = true;
  while (empty && folder_listing_next(listing, &entry))
    empty = strcmp(entry.name, ".") == 0 || strcmp(entry.name, "..") == 0;
  folder_listing_close(listing);
  if (empty) remember_made_folder(made, root);
}

// A file passed over before its first chunk still costs one sleep of the speed limit.
file_outcome passed_over(file_outcome outcome) {
  sleep_ms(load(job_state.chunk_delay_ms));
  return outcome;
}

file_outcome copy_listed_file(const list_entry& entry, file_copy& file, loop_memory& memory,
                              rate_meter& meter, progress_bars& bars, int32_t files_left) {
  snprintf(file.source_file_path, sizeof file.source_file_path, "%s", entry.path);
  if (!prepare_destination(file, entry.source_slot, memory.made))
    return passed_over(file_outcome::failed);
  // Two files of one source whose names the destination takes for one: the later one must
  // not replace the copy the job has made of the earlier, so it is skipped, and said to be
  // missing from the destination.
  if (copied_twin_exists(memory.copied, job_data.file_list, entry)) {
    show_twin_notice(file.source_file_path, file.dest_file_path);
    return passed_over(file_outcome::skipped_twin);
  }
  const file_display display{meter, bars, files_left};
  file_outcome opened = open_file_streams(file, memory.temps, display);
  if (opened != file_outcome::go_on) return passed_over(opened);
  rate_meter_file_start(meter);
  file_outcome result = copy_file_chunks(file, display);
  show_file_progress(bars, 100);
  return result;
}

// What a file costs in bytes passed: a verified job reads each twice (the copy and its
// read-back, or a kept file and its source), and the estimate counts both.
uint64_t bytes_to_pass(uint64_t file_size) { return job_state.verify ? 2 * file_size : file_size; }

// A file that will not be copied takes what was left of it out of the estimate.
void count_outcome(file_outcome outcome, const list_entry& entry, const file_copy& file) {
  switch (outcome) {
    case file_outcome::copied: ++job_data.files_copied; return;
    case file_outcome::skipped_twin: ++job_data.twins_skipped; break;
    case file_outcome::skipped_differing: ++job_data.kept_differing; break;
    case file_outcome::skipped:
    case file_outcome::failed: break;
    case file_outcome::abandoned:
    case file_outcome::go_on: return;  // go_on never ends a file's pass
  }
  if (outcome == file_outcome::failed)
    ++job_data.errors;
  else
    ++job_data.files_skipped;
  const uint64_t cost = bytes_to_pass(entry.size);
  const uint64_t passed = file.file_bytes_copied + file.check_bytes;
  const uint64_t left = cost - (passed < cost ? passed : cost);
  job_data.total_bytes -= left < job_data.total_bytes ? left : job_data.total_bytes;
}

// The end line: stopped; every file copied; or the counts when anything was skipped or failed.
void write_end_line(job_outcome& outcome) {
  const char* line = outcome.stopped ? TEXT_JOB_STOPPED
                     : outcome.files_skipped == 0 && outcome.errors == 0 ? TEXT_ALL_DONE
                                                                         : nullptr;
  if (line)
    snprintf(outcome.end_line, sizeof outcome.end_line, "%s", line);
  else
    snprintf(outcome.end_line, sizeof outcome.end_line, TEXT_JOB_SUMMARY, outcome.files_copied,
             outcome.files_skipped, outcome.errors);
}

void end_job(progress_bars& bars, int32_t files_left, int32_t file_count) {
  job_outcome outcome{};
  outcome.files_copied = job_data.files_copied;
  outcome.files_skipped = job_data.files_skipped;
  outcome.errors = job_data.errors;
  outcome.twins_skipped = job_data.twins_skipped;
  outcome.kept_differing = job_data.kept_differing;
  outcome.stopped = load(job_state.running) == 0;
  outcome.seconds = clock_seconds() - job_data.start_seconds;
  write_end_line(outcome);
  job_state.reports->estimate_line(outcome.end_line);
  show_file_progress(bars, 0);
  show_all_progress(bars, percent_of(static_cast<uint64_t>(files_left), file_count));
  job_state.reports->job_finished(outcome);
  store(job_state.running, 0);
}
}  // namespace

bool create_dest_folders(const char* dest_file_path, char (&folder)[job_path_size]) {
  char level[job_path_size];
  own_folder_of(dest_file_path, folder);
  size_t cursor = 0;
  // A folder that exists, or can be made, has all its parents: one call settles the usual case
  // (every file after the first of its folder) at a fraction of the file-system lookups.
  if (folder[0] == '\0') return false;
  const make_folder_result made = make_folder(folder);
  if (made != make_folder_result::failed) return made == make_folder_result::made;
  cursor = 0;
  bool made_last = false;
  while (next_folder_level(dest_file_path, cursor, level))  // "exists" is normal; any other
    made_last = make_folder(level) == make_folder_result::made;  // failure shows at the open
  return made_last;
}

void copy_files(int32_t file_count) {
  rate_meter meter{};
  rate_meter_start(meter);
  progress_bars bars;
  loop_memory memory{};
  temp_record_start(memory.temps.record);
  remember_root_if_empty(memory.made);
  job_data.total_bytes = bytes_to_pass(job_data.total_bytes);
  int32_t files_left = file_count;
  while (files_left != 0 && load(job_state.running)) {
    show_all_progress(bars, percent_of(static_cast<uint64_t>(files_left), file_count));
    const list_entry& entry = *job_data.file_list[files_left - 1];
    file_copy file{};
    file_outcome outcome =
        copy_listed_file(entry, file, memory, meter, bars, files_left);
    count_outcome(outcome, entry, file);
    if (outcome == file_outcome::copied)
      remember_copied(memory.copied, job_data.file_list, files_left - 1);
    --files_left;
  }
  forget_copied(memory.copied);
  temp_record_end(memory.temps.record);
  end_job(bars, files_left, file_count);
}
