// One record file per running job, naming its latest temporary: "volume index index_high path"
// and a NUL, written over the last one from the file's start in one write per temporary, so
// that whatever a longer earlier text leaves behind the NUL is never read. A temporary already
// moved into place or deleted is no longer at its path, and its record proves nothing there.
// Writes go to the system at once (no sync): a killed process loses nothing written, and a
// machine that stops loses at most the record, which leaves a leftover rather than a wrong
// deletion. The proof's fields stand before the path, which ends the text: a new field goes in
// record_text_of and proven_temporary together.
#include "engine/temp_record.h"

#include <cinttypes>
#include <cstring>

#include "engine/state_folder.h"
#include "platform/files.h"

namespace {
constexpr int max_record_attempts = 256;
constexpr char record_prefix[] = "run";
constexpr char record_suffix[] = ".rec";
constexpr size_t record_name_length = sizeof record_prefix - 1 + 4 + sizeof record_suffix - 1;
constexpr size_t record_text_size = 3 * 17 + windows_path_size + 1;
// The temporary is looked for at the path it was made at: on that path's volume.
constexpr identity_scope proof_scope = identity_scope::on_its_volume;

bool is_record_name(const char* name) {
  return strlen(name) == record_name_length &&
         strncmp(name, record_prefix, sizeof record_prefix - 1) == 0 &&
         strcmp(name + record_name_length - (sizeof record_suffix - 1), record_suffix) == 0;
}

// The temporary a record's text names and the identity it had when it was made; null when the
// text names none.
const char* proven_temporary(const char* text, file_identity& recorded) {
  int path_start = 0;
  if (sscanf(text, "%" SCNx64 " %" SCNx64 " %" SCNx64 " %n", &recorded.volume, &recorded.index,
             &recorded.index_high, &path_start) < 3 || path_start == 0 || text[path_start] == '\0')
    return nullptr;
  return text + path_start;
}

int record_text_of(const file_identity& identity, const char* temp_path,
                   char (&text)[record_text_size]) {
  return snprintf(text, sizeof text, "%016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %s",
                  identity.volume, identity.index, identity.index_high, temp_path);
}

// What a record of a dead run names is deleted only while that same file (by identity, not
// name) stands there and no process holds it.
void delete_recorded_temporary(const char* text) {
  file_identity recorded{}, now{};
  const char* temp_path = proven_temporary(text, recorded);
  if (temp_path && get_file_identity(temp_path, proof_scope, &now) && same_identity(now, recorded))
    delete_abandoned_file(temp_path);
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
}  // namespace

void temp_record_start(temp_record& record) {
  record = {};
  char folder[windows_path_size];
  if (!program_state_folder(folder)) return;
  clear_dead_records(folder);
  for (int number = 0; number < max_record_attempts; ++number) {
    const int length = snprintf(record.path, sizeof record.path, "%s%s%04x%s", folder,
                                record_prefix, static_cast<unsigned>(number), record_suffix);
    if (length <= 0 || length >= static_cast<int>(sizeof record.path)) return;
    bool name_taken = false;
    record.stream = create_new_file_stream(record.path, &name_taken);
    if (record.stream || !name_taken) return;
  }
}

void temp_record_note(temp_record& record, FILE* temp_stream, const char* temp_path) {
  file_identity identity{};
  char text[record_text_size];
  if (!record.stream || !stream_identity(temp_stream, proof_scope, &identity)) return;
  const int length = record_text_of(identity, temp_path, text);
  if (length <= 0 || length >= static_cast<int>(sizeof text)) return;
  rewind(record.stream);
  fwrite(text, 1, static_cast<size_t>(length) + 1, record.stream);  // with its NUL
  fflush(record.stream);
}

void temp_record_end(temp_record& record) {
  if (!record.stream) return;
  fclose(record.stream);
  record.stream = nullptr;
  delete_file(record.path);  // gone already is as good: another run may take it once closed
}
