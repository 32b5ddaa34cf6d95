// The worker's notices, reported to the main dialog.
#include "engine/notice.h"

#include <cstdio>

#include "core/job_state.h"

namespace {
constexpr size_t notice_text_size = composed_path_size + 64;

// What was read gets the read-error sentence (a source changed while copied too), what was
// written the write-error one; a kept file and a twin get the latter too, as if the file had
// been in the way. A verified job's checks have sentences of their own.
const char* file_notice_format(notice_kind kind) {
  switch (kind) {
    case notice_kind::write_error:
    case notice_kind::kept_existing:
    case notice_kind::twin_of_copied: return TEXT_WRITE_ERROR;
    case notice_kind::verify_failed: return TEXT_VERIFY_FAILED;
    case notice_kind::kept_differs: return TEXT_KEPT_DIFFERS;
    default: return TEXT_READ_ERROR;
  }
}

// The notice names path; its sentence names shown_path.
void report_file_notice(notice_kind kind, const char* path, const char* shown_path) {
  char text[notice_text_size];
  snprintf(text, sizeof text, file_notice_format(kind), shown_path);
  job_state.reports->notice({kind, path, text, TEXT_FILE_ACCESS_CAPTION, load(job_state.dont_notify) != 0});
}
}  // namespace

void show_file_notice(notice_kind kind, const char* path) { report_file_notice(kind, path, path); }

void show_twin_notice(const char* source_path, const char* dest_path) {
  report_file_notice(notice_kind::twin_of_copied, source_path, dest_path);
}

void show_deletion_notice(const char* path, int error_number) {
  char text[notice_text_size];
  snprintf(text, sizeof text, TEXT_DELETE_ERROR, path, error_number);
  job_state.reports->notice({notice_kind::not_deleted, path, text, TEXT_FILE_ACCESS_CAPTION, false});
}

void show_memory_notice(notice_kind kind) {
  const char* text = kind == notice_kind::no_memory_for_list ? TEXT_NO_FILE_LIST
                                                              : TEXT_NO_COPY_BUFFER;
  job_state.reports->notice({kind, "", text, TEXT_MEMORY_CAPTION, false});
}
