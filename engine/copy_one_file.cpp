// One file: the opens with their notices, the chunks with pause and Stop, and the finish that
// only ever puts a complete copy under the destination's name; in a verified job, only a copy
// that reads back as its source was read.
#include <cerrno>
#include <cstdio>

#include "core/job_state.h"
#include "engine/file_copy.h"
#include "engine/job_data.h"
#include "engine/kept_file_check.h"
#include "engine/notice.h"
#include "engine/percent.h"
#include "engine/progress_bars.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {
constexpr int max_temp_attempts = 64;

// The destination is the source itself: asked of the open source and of the destination's name.
bool dest_is_source(const file_copy& file) {
  file_identity source{}, dest{};
  const identity_scope scope = identity_scope::across_volumes;
  return stream_identity(file.source_stream, scope, &source) &&
         get_file_identity(file.dest_file_path, scope, &dest) && same_identity(source, dest);
}

// A file kept because it exists. In a verified job it is compared with its source first: the
// run must not count as proven a file that does not hold its source's contents.
file_outcome keep_existing(file_copy& file, const file_display& display) {
  if (job_state.verify) {
    rate_meter_file_start(display.meter);
    const uint64_t both_files = 2 * static_cast<uint64_t>(file.source_at_open.size);
    check_pace pace = start_check_pace(display, both_files);
    const kept_file_result result =
        check_kept_file(file.source_file_path, file.dest_file_path, check_pacing(pace));
    file.check_bytes = pace.bytes_done;
    switch (result) {
      case kept_file_result::same: break;
      case kept_file_result::different:
        show_file_notice(notice_kind::kept_differs, file.dest_file_path);
        return file_outcome::skipped_differing;
      case kept_file_result::source_unreadable:
      case kept_file_result::dest_unreadable:
        show_file_notice(notice_kind::read_error, result == kept_file_result::source_unreadable
                                                      ? file.source_file_path
                                                      : file.dest_file_path);
        return file_outcome::failed;
      case kept_file_result::stopped: return file_outcome::abandoned;
    }
  }
  show_file_notice(notice_kind::kept_existing, file.dest_file_path);
  return file_outcome::skipped;
}

// The exists test asks the file system whether the name is there, not whether it opens: a
// file another program holds open is kept like any other. Everything that rules the copy out
// is settled here, before a byte is written (or, in a folder that holds only the job's own
// files, once the rename finds the name taken): the file is skipped when the destination must
// be left alone, and failed when a folder stands there, when it is the source itself
// (overwriting it would read what is being replaced), or when it is read-only (Windows never
// lets a rename replace such a file; Wine would, so the rule is kept here for every host).
file_outcome test_destination(file_copy& file, const file_display& display) {
  const path_attributes dest = path_attributes_of(file.dest_file_path);
  if (!dest.exists) return file_outcome::go_on;
  if (!dest.is_folder && !load(job_state.overwrite_all)) return keep_existing(file, display);
  if (dest.is_folder || dest.read_only || dest_is_source(file)) {
    show_file_notice(notice_kind::write_error, file.dest_file_path);
    return file_outcome::failed;
  }
  file.dest_existed = true;
  return file_outcome::go_on;
}

// A new file under a temporary name, never one that exists already.
bool create_temp_file(file_copy& file, temp_names& temps) {
  for (int attempt = 0; attempt < max_temp_attempts; ++attempt, ++temps.next_number) {
    if (!compose_temp_path(file.dest_file_path, job_state.dest_root, temps.next_number,
                           file.temp_path))
      continue;
    bool name_taken = false;
    file.dest_stream = create_new_file_stream(file.temp_path, &name_taken);
    if (file.dest_stream) {
      temp_record_note(temps.record, file.dest_stream, file.temp_path, file.source_file_path);
      return true;
    }
    if (!name_taken) break;
  }
  show_file_notice(notice_kind::write_error, file.dest_file_path);
  return false;
}

// The file the copy is written to. An empty source's copy is whole from the moment it is made,
// so it needs no temporary: it is made under the destination's name where nothing stands yet.
// Where something does, the copy takes the usual way, and its rename meets what is there.
bool create_copy_file(file_copy& file, temp_names& temps) {
  if (file.source_at_open.size == 0 && !file.dest_existed) {
    bool name_taken = false;
    file.dest_stream = create_new_file_stream(file.dest_file_path, &name_taken);
    file.written_in_place = file.dest_stream != nullptr;
    if (file.written_in_place) return true;
  }
  return create_temp_file(file, temps);
}

void close_streams(file_copy& file) {
  fclose(file.source_stream);
  fclose(file.dest_stream);
}

// Gone already is as good as deleted. A copy made under the destination's name is the job's
// own too: it was made where nothing stood.
void delete_unfinished_copy(const file_copy& file) {
  int error = delete_file(written_path(file));
  if (error != 0 && error != ENOENT) show_deletion_notice(written_path(file), error);
}

// The copy did not finish: whatever stood under the destination's name stays as it was.
file_outcome discard_copy(file_copy& file, notice_kind kind, const char* notice_path) {
  close_streams(file);
  show_file_notice(kind, notice_path);
  delete_unfinished_copy(file);
  return file_outcome::failed;
}

// Stop: the copy goes without a notice, and the file is abandoned rather than failed.
file_outcome abandon_copy(file_copy& file) {
  close_streams(file);
  delete_unfinished_copy(file);
  return file_outcome::abandoned;
}

// The copy is whole, closed and still under its temporary name, which the destination's name
// refused: it stands there already, where the exists test was left to the rename. The test
// runs now, and the copy takes the name only where the test lets it replace what is there.
file_outcome test_taken_name(file_copy& file, const file_display& display) {
  const file_outcome tested = test_destination(file, display);
  if (tested == file_outcome::go_on) {
    bool name_taken = false;
    if (move_into_place(file.temp_path, file.dest_file_path, file.dest_existed, &name_taken))
      return file_outcome::copied;
    show_file_notice(notice_kind::write_error, file.dest_file_path);
  }
  delete_unfinished_copy(file);
  return tested == file_outcome::go_on ? file_outcome::failed : tested;
}

// Every byte is written: make sure the system has it, then give the copy its name (an empty
// source's copy has it already). The source stays open for a late exists test, which asks it
// whether it is the destination.
file_outcome place_copy(file_copy& file, const file_display& display) {
  bool written = fflush(file.dest_stream) == 0 && !ferror(file.dest_stream);
  bool name_taken = false;
  if (file.written_in_place)
    written = fclose(file.dest_stream) == 0 && written;
  else if (written)
    written = close_into_place(file.dest_stream, file.temp_path, file.dest_file_path,
                               file.dest_existed, &name_taken);
  else
    fclose(file.dest_stream);
  if (written) return file_outcome::copied;
  if (name_taken && file.folder_made_by_job) return test_taken_name(file, display);
  show_file_notice(notice_kind::write_error, file.dest_file_path);
  delete_unfinished_copy(file);
  return file_outcome::failed;
}

file_outcome finish_copy(file_copy& file, const file_display& display) {
  const file_outcome placed = place_copy(file, display);
  fclose(file.source_stream);
  return placed;
}

// The copy found the source's end: it may still be dropped if the source changed under it.
// Shorter than at the opening, at any moment of the copy, or as long with another last-write
// time (rewritten in place): the copy matches no state the file was ever in. Only longer: a
// file being appended to, copied to the end the copy found.
bool source_changed(const file_copy& file) {
  file_stamp now{};
  if (!stream_stamp(file.source_stream, &now)) return true;
  const file_stamp& then = file.source_at_open;
  return file.file_bytes_copied < static_cast<uint64_t>(then.size) || now.size < then.size ||
         (now.size == then.size && now.write_time != then.write_time);
}

// The read-back from the device is not to be had here: said once per job.
void say_once_read_back_is_cached() {
  if (job_data.read_back_cached_said) return;
  job_data.read_back_cached_said = true;
  job_state.reports->remark(notice_kind::read_back_cached, job_state.dest_root);
}

// A verified job's copy, whole in the temporary: it gets its name only if it gives back what
// was read from the source. `go_on` when it does; otherwise it is dropped as a failed copy,
// or abandoned on Stop.
file_outcome check_copy(file_copy& file, const file_display& display) {
  check_pace pace = start_check_pace(display, file.file_bytes_copied);
  read_back_source source = read_back_source::device;
  const read_back_result result =
      check_temp_file(file.dest_stream, written_path(file), content_hash_finish(file.source_hash),
                      check_pacing(pace), &source);
  file.check_bytes = pace.bytes_done;
  if (source == read_back_source::cache) say_once_read_back_is_cached();
  switch (result) {
    case read_back_result::same: return file_outcome::go_on;
    case read_back_result::stopped: return abandon_copy(file);
    case read_back_result::different:
    case read_back_result::failed: break;
  }
  return discard_copy(file, notice_kind::verify_failed, file.dest_file_path);
}

int32_t current_chunk_size() {
  int32_t chunk = load(job_state.chunk_size);
  if (chunk < 1) return 1;
  return chunk < copy_buffer_size ? chunk : copy_buffer_size;
}
}  // namespace

file_outcome open_file_streams(file_copy& file, temp_names& temps, const file_display& display) {
  file.source_stream = open_file_stream(file.source_file_path, "rb");
  if (!file.source_stream || !stream_stamp(file.source_stream, &file.source_at_open) ||
      file.source_at_open.size < 0) {
    if (file.source_stream) fclose(file.source_stream);
    show_file_notice(notice_kind::read_error, file.source_file_path);
    return file_outcome::failed;
  }
  file_outcome tested =
      file.folder_made_by_job ? file_outcome::go_on : test_destination(file, display);
  if (tested == file_outcome::go_on && !create_copy_file(file, temps))
    tested = file_outcome::failed;
  if (tested != file_outcome::go_on) fclose(file.source_stream);
  return tested;
}

file_outcome copy_file_chunks(file_copy& file, const file_display& display) {
  file.file_bytes_copied = 0;
  const bool verify = job_state.verify != 0;
  if (verify) content_hash_start(file.source_hash);
  for (;;) {
    size_t chunk = static_cast<size_t>(current_chunk_size());
    wait_while_paused(display);  // the chunk keeps the size taken before the wait

    size_t bytes_read = fread(job_data.copy_buffer, 1, chunk, file.source_stream);
    if (verify) content_hash_add(file.source_hash, job_data.copy_buffer, bytes_read);
    bool read_failed = bytes_read < chunk && ferror(file.source_stream);
    bool write_failed = bytes_read > 0 &&
                        fwrite(job_data.copy_buffer, 1, bytes_read, file.dest_stream) != bytes_read;
    file.file_bytes_copied += bytes_read;
    rate_meter_chunk_done(display.meter, static_cast<uint32_t>(bytes_read), display.files_left);
    const uint64_t file_size = static_cast<uint64_t>(file.source_at_open.size);
    show_file_progress(display.bars, percent_of(file.file_bytes_copied, file_size));
    sleep_ms(load(job_state.chunk_delay_ms));

    if (read_failed) return discard_copy(file, notice_kind::read_error, file.source_file_path);
    if (write_failed) return discard_copy(file, notice_kind::write_error, file.dest_file_path);
    if (bytes_read != chunk && source_changed(file))
      return discard_copy(file, notice_kind::source_changed, file.source_file_path);
    if (bytes_read != chunk) {
      const file_outcome checked = verify ? check_copy(file, display) : file_outcome::go_on;
      return checked == file_outcome::go_on ? finish_copy(file, display) : checked;
    }
    if (!load(job_state.running)) return abandon_copy(file);
  }
}
