// One record file per running job, naming its latest temporary: "volume index index_high path",
// a NUL, the path of the source it is a copy of and a NUL, written over the last one from the
// file's start in one write per temporary, so that whatever a longer earlier text leaves
// behind the NULs is never read. A temporary already moved into place or deleted is no longer
// at its path, and its record proves nothing there.
// Writes go to the system at once (no sync): a killed process loses nothing written, and a
// machine that stops loses at most the record, which leaves a leftover rather than a wrong
// deletion. The proof's fields stand before the paths, which end the text: a new field goes in
// record_text_of and proven_temporary together.
//
// Identities are reused (an inode freed by the deletion of a leftover goes to the next new
// file; FAT and exFAT number a file by its folder slot), and no time or attribute a user's
// file could not also have survives under every host. So a file of the recorded identity is
// deleted only when it also holds nothing but the first bytes of its recorded source, read at
// the clean-up: its bytes are then in the source still (an empty file has none). A source
// gone or changed, anything that cannot be read: the file stays, and a remark names it.
#include "engine/temp_record.h"

#include <cinttypes>
#include <cstring>

#include "core/job_reports.h"
#include "core/job_state.h"
#include "engine/state_folder.h"
#include "platform/files.h"

namespace {
constexpr int max_record_attempts = 256;
constexpr char record_prefix[] = "run";
constexpr char record_suffix[] = ".rec";
constexpr size_t record_name_length = sizeof record_prefix - 1 + 4 + sizeof record_suffix - 1;
constexpr size_t record_text_size = 3 * 17 + windows_path_size + job_path_size + 1;
constexpr size_t compare_chunk_size = 8 * 1024;  // two on the stack; read at a clean-up only
// The temporary is looked for at the path it was made at: on that path's volume.
constexpr identity_scope proof_scope = identity_scope::on_its_volume;

bool is_record_name(const char* name) {
  return strlen(name) == record_name_length &&
         strncmp(name, record_prefix, sizeof record_prefix - 1) == 0 &&
         strcmp(name + record_name_length - (sizeof record_suffix - 1), record_suffix) == 0;
}

// The temporary a record's text names, the identity it had when it was made and its source
// (after the temporary's NUL, within the text read: the buffer ends in a NUL); null when the
// text names none.
const char* proven_temporary(const char (&text)[record_text_size], file_identity& recorded,
                             const char*& source_path) {
  int path_start = 0;
  if (sscanf(text, "%" SCNx64 " %" SCNx64 " %" SCNx64 " %n", &recorded.volume, &recorded.index,
             &recorded.index_high, &path_start) < 3 || path_start == 0 || text[path_start] == '\0')
    return nullptr;
  const char* temp_path = text + path_start;
  source_path = temp_path + strlen(temp_path) + 1;
  if (source_path >= text + sizeof text) source_path = text + sizeof text - 1;  // "": no source
  return temp_path;
}

// The text's length, both NULs included; 0 when it does not fit.
size_t record_text_of(const file_identity& identity, const char* temp_path,
                      const char* source_path, char (&text)[record_text_size]) {
  const int length =
      snprintf(text, sizeof text, "%016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %s%c%s",
               identity.volume, identity.index, identity.index_high, temp_path, '\0',
               source_path);
  return length > 0 && length < static_cast<int>(sizeof text) ? static_cast<size_t>(length) + 1
                                                              : 0;
}

// Every byte the temporary holds is the source's at the same place: a copy that a crash cut
// short. An empty one (killed before its first buffer reached the file) loses nothing when
// deleted. Whatever cannot be read proves nothing.
bool holds_first_bytes_of(FILE* temp, FILE* source) {
  char temp_bytes[compare_chunk_size], source_bytes[compare_chunk_size];
  for (;;) {
    const size_t length = fread(temp_bytes, 1, sizeof temp_bytes, temp);
    if (length == 0) return !ferror(temp);
    if (fread(source_bytes, 1, length, source) != length ||
        memcmp(temp_bytes, source_bytes, length) != 0)
      return false;
  }
}

bool is_copy_cut_short(const char* temp_path, const char* source_path) {
  if (source_path[0] == '\0') return false;
  FILE* temp = open_file_stream(temp_path, "rb");
  FILE* source = temp ? open_file_stream(source_path, "rb") : nullptr;
  const bool proven = source && holds_first_bytes_of(temp, source);
  if (source) fclose(source);
  if (temp) fclose(temp);
  return proven;
}

// What a record of a dead run names is deleted only while that same file (by identity, not
// name) stands there, no process holds it and it holds the first bytes of its source. A file
// of another identity is not the run's; one of that identity that fails the rest stays with a
// remark, since it may be a user's file given the freed identity.
void delete_recorded_temporary(const char (&text)[record_text_size]) {
  file_identity recorded{}, now{};
  const char* source_path = "";
  const char* temp_path = proven_temporary(text, recorded, source_path);
  if (!temp_path || !get_file_identity(temp_path, proof_scope, &now) ||
      !same_identity(now, recorded))
    return;
  if (is_copy_cut_short(temp_path, source_path))
    delete_abandoned_file(temp_path);
  else
    job_state.reports->remark(notice_kind::leftover_kept, temp_path);
}

// Read first, trusted only once the record proves dead by being deleted: a record read from a
// run that ends meanwhile may be one temporary behind, which the identity test then refuses.
void clear_dead_record(const char* record_path) {
  char text[record_text_size] = "";
  if (FILE* stream = open_file_stream(record_path, "rb")) {
    const size_t length = fread(text, 1, sizeof text - 1, stream);
    text[length] = '\0';
    fclose(stream);
  }
  if (delete_abandoned_file(record_path)) delete_recorded_temporary(text);
}

void clear_dead_records(const char* folder) {
  char pattern[windows_path_size + 8];
  snprintf(pattern, sizeof pattern, "%s%s*", folder, record_prefix);
  folder_listing* listing = folder_listing_open(pattern);
  if (!listing) return;
  folder_entry entry;
  while (folder_listing_next(listing, &entry)) {
    if (entry.is_folder || !is_record_name(entry.name)) continue;
    char path[windows_path_size + record_name_length];
    snprintf(path, sizeof path, "%s%s", folder, entry.name);
    clear_dead_record(path);
  }
  folder_listing_close(listing);
}

FILE* create_record(const char* folder, char (&path)[windows_path_size]) {
  for (int number = 0; number < max_record_attempts; ++number) {
    const int length = snprintf(path, sizeof path, "%s%s%04x%s", folder, record_prefix,
                                static_cast<unsigned>(number), record_suffix);
    if (length <= 0 || length >= static_cast<int>(sizeof path)) return nullptr;
    bool name_taken = false;
    FILE* stream = create_new_file_stream(path, &name_taken);
    if (stream || !name_taken) return stream;
  }
  return nullptr;
}
}  // namespace

void temp_record_start(temp_record& record) {
  record = {};
  char folder[windows_path_size] = "";
  if (program_state_folder(folder)) {
    clear_dead_records(folder);
    record.stream = create_record(folder, record.path);
  }
  if (!record.stream) job_state.reports->remark(notice_kind::no_crash_records, folder);
}

void temp_record_note(temp_record& record, FILE* temp_stream, const char* temp_path,
                      const char* source_path) {
  file_identity identity{};
  char text[record_text_size];
  if (!record.stream || !stream_identity(temp_stream, proof_scope, &identity)) return;
  const size_t length = record_text_of(identity, temp_path, source_path, text);
  if (length == 0) return;
  rewind(record.stream);
  fwrite(text, 1, length, record.stream);
  fflush(record.stream);
}

void temp_record_end(temp_record& record) {
  if (!record.stream) return;
  fclose(record.stream);
  record.stream = nullptr;
  delete_file(record.path);  // gone already is as good: another run may take it once closed
}
