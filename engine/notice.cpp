// The worker's notices, reported to the main dialog.
#include "engine/notice.h"

#include <cstdio>

#include "core/job_state.h"

namespace {
constexpr size_t notice_text_size = composed_path_size + 64;

// What was read gets the read-error sentence (a source changed while copied too), what was
// written the write-error one; a kept file gets the latter too, as if the file had been in the
// way.
const char* file_notice_format(notice_kind kind) {
  return kind == notice_kind::write_error || kind == notice_kind::kept_existing
             ? TEXT_WRITE_ERROR
             : TEXT_READ_ERROR;
}
}  // namespace

void show_file_notice(notice_kind kind, const char* path) {
  char text[notice_text_size];
  snprintf(text, sizeof text, file_notice_format(kind), path);
  job_state.reports->notice({kind, path, text, TEXT_FILE_ACCESS_CAPTION, load(job_state.dont_notify) != 0});
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
