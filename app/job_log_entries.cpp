// The job log's entries.
#include "app/job_log_entries.h"

#include "app/dialog_state.h"
#include "app/job_log.h"
#include "core/job_state.h"
#include "core/limits.h"
#include "core/log_line.h"
#include "engine/format_duration.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
// The reason in plain words: not the notice's sentence, which gives a kept file the words of
// a failed write.
const char* reason_of(notice_kind kind) {
  switch (kind) {
    case notice_kind::kept_existing: return TEXT_LOG_KEPT_EXISTING;
    case notice_kind::read_error: return TEXT_LOG_READ_ERROR;
    case notice_kind::source_changed: return TEXT_LOG_SOURCE_CHANGED;
    case notice_kind::write_error: return TEXT_LOG_WRITE_ERROR;
    case notice_kind::not_deleted: return TEXT_LOG_NOT_DELETED;
    case notice_kind::folder_not_listed: return TEXT_LOG_FOLDER_NOT_LISTED;
    case notice_kind::name_refused: return TEXT_LOG_NAME_REFUSED;
    case notice_kind::path_too_long: return TEXT_LOG_PATH_TOO_LONG;
    case notice_kind::no_memory_for_list: return TEXT_LOG_NO_MEMORY_FOR_LIST;
    case notice_kind::no_memory_for_buffer: return TEXT_LOG_NO_MEMORY_FOR_BUFFER;
  }
  return TEXT_LOG_WRITE_ERROR;  // not reached: every kind has its words above
}
}  // namespace

bool log_job_start(HWND dialog) {
  if (!job_log_is_open()) return true;
  const char* job_file = dialog_state_of(dialog).settings_path;
  char dest[windows_path_size];
  GetDlgItemTextA(dialog, IDC_DEST_EDIT, dest, sizeof dest);
  return write_job_log_formatted(TEXT_LOG_START, job_file[0] != '\0' ? job_file : TEXT_UNSAVED_JOB,
                                 static_cast<int>(job_state.source_count), dest);
}

void log_notice(const job_notice& notice) {
  if (notice.path[0] == '\0')
    write_job_log(reason_of(notice.kind));
  else
    write_job_log_formatted(TEXT_LOG_ENTRY, reason_of(notice.kind), notice.path);
}

void log_job_end(HWND dialog, int32_t seconds) {
  char end_line[log_line_size];
  GetDlgItemTextA(dialog, IDC_ESTIMATE_LINE, end_line, sizeof end_line);
  trim_trailing_blanks(end_line);
  char duration[duration_text_size];
  write_job_log_formatted(TEXT_LOG_END, end_line, format_duration(seconds, duration));
}
