// Error boxes of the worker, owned by the main dialog.
#include "engine/notice.h"

#include <cstdio>

#include "core/job_reports.h"
#include "core/job_state.h"

namespace {
constexpr size_t notice_text_size = notice_path_size + 64;
}

void show_file_notice(const char* format, const char* path) {
  if (load(job_state.dont_notify)) return;
  char text[notice_text_size];
  snprintf(text, sizeof text, format, path);
  report_notice(text, TEXT_FILE_ACCESS_CAPTION);
}

void show_deletion_notice(const char* path, int error_number) {
  char text[notice_text_size];
  snprintf(text, sizeof text, TEXT_DELETE_ERROR, path, error_number);
  report_notice(text, TEXT_FILE_ACCESS_CAPTION);
}
