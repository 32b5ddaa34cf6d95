// The job log's file and its entries.
#include "app/job_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "core/job_state.h"
#include "core/limits.h"
#include "core/log_line.h"
#include "engine/format_duration.h"
#include "res/texts.h"

namespace {
// Opened before the dialog exists and closed after it ends. Lines come from the dialog's
// thread and the worker's, at once too (a failed Save during a job), and from other runs of
// the program appending to the same log: each is one write to a file opened for appending
// only, which Windows puts whole at the end. Wine 8 appends by writing where it has just seen
// the end, so two programs may write over each other's lines: each line is written under a
// lock of one byte far past any end the log can reach, which every run takes and waits for.
HANDLE log_file = INVALID_HANDLE_VALUE;
constexpr DWORD line_lock_offset_high = 0x7FFFFFF0;
char log_path[run_argument_size];
shared_int lost_a_line{0};

log_time local_time() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// The reason in plain words: not the notice's sentence, which gives a kept file the words of
// a failed write.
const char* reason_of(notice_kind kind) {
  switch (kind) {
    case notice_kind::kept_existing: return TEXT_LOG_KEPT_EXISTING;
    case notice_kind::twin_of_copied: return TEXT_LOG_TWIN_OF_COPIED;
    case notice_kind::read_error: return TEXT_LOG_READ_ERROR;
    case notice_kind::source_changed: return TEXT_LOG_SOURCE_CHANGED;
    case notice_kind::verify_failed: return TEXT_LOG_VERIFY_FAILED;
    case notice_kind::kept_differs: return TEXT_LOG_KEPT_DIFFERS;
    case notice_kind::write_error: return TEXT_LOG_WRITE_ERROR;
    case notice_kind::not_deleted: return TEXT_LOG_NOT_DELETED;
    case notice_kind::folder_not_listed: return TEXT_LOG_FOLDER_NOT_LISTED;
    case notice_kind::name_refused: return TEXT_LOG_NAME_REFUSED;
    case notice_kind::path_too_long: return TEXT_LOG_PATH_TOO_LONG;
    case notice_kind::no_memory_for_list: return TEXT_LOG_NO_MEMORY_FOR_LIST;
    case notice_kind::no_memory_for_buffer: return TEXT_LOG_NO_MEMORY_FOR_BUFFER;
    case notice_kind::leftover_kept: return TEXT_LOG_LEFTOVER_KEPT;
    case notice_kind::no_crash_records: return TEXT_LOG_NO_CRASH_RECORDS;
    case notice_kind::read_back_cached: return TEXT_LOG_READ_BACK_CACHED;
  }
  return TEXT_LOG_WRITE_ERROR;  // not reached: every kind has its words above
}
}  // namespace

bool open_job_log(const char* path) {
  const DWORD length = GetFullPathNameA(path, sizeof log_path, log_path, nullptr);
  if (length == 0 || length >= sizeof log_path) {
    snprintf(log_path, sizeof log_path, "%s", path);
    return false;
  }
  // Append-only access: every write lands at the file's end, also when another run of the
  // program appends to the same log. Reading is asked for only because a lock needs it.
  log_file = CreateFileA(log_path, FILE_APPEND_DATA | FILE_READ_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return log_file != INVALID_HANDLE_VALUE;
}

bool job_log_is_open() { return log_file != INVALID_HANDLE_VALUE; }

const char* job_log_path() { return log_path; }

void close_job_log() {
  if (log_file == INVALID_HANDLE_VALUE) return;
  CloseHandle(log_file);
  log_file = INVALID_HANDLE_VALUE;
}

bool write_job_log(const char* text) {
  if (log_file == INVALID_HANDLE_VALUE) return false;
  char line[log_line_size];
  const size_t length = format_log_line(local_time(), text, line, sizeof line);
  DWORD written = 0;
  OVERLAPPED line_lock = {};
  line_lock.OffsetHigh = line_lock_offset_high;
  // A log that takes no lock (some network shares) is still written.
  const bool locked = LockFileEx(log_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &line_lock) != FALSE;
  const bool whole = WriteFile(log_file, line, static_cast<DWORD>(length), &written, nullptr) &&
                     written == length;
  if (locked) UnlockFileEx(log_file, 0, 1, 0, &line_lock);
  if (!whole) store(lost_a_line, 1);
  return whole;
}

bool write_job_log_formatted(const char* format, ...) {
  char text[log_line_size];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return write_job_log(text);
}

bool job_log_lost_a_line() { return load(lost_a_line) != 0; }

bool log_job_start(const char* job_file) {
  if (!job_log_is_open()) return true;
  // A verified job says so at its start: its lines then mean that what was copied was read back.
  return write_job_log_formatted(job_state.verify == 1 ? TEXT_LOG_START TEXT_LOG_VERIFY_ON
                                                       : TEXT_LOG_START,
                                 job_file[0] != '\0' ? job_file : TEXT_UNSAVED_JOB,
                                 static_cast<int>(job_state.source_count), job_state.dest_root);
}

void log_notice(const job_notice& notice) {
  char text[log_line_size];
  log_remark(notice.kind, notice.path, text);
}

void log_remark(notice_kind kind, const char* path, char (&text)[log_line_size]) {
  if (path[0] == '\0')
    snprintf(text, sizeof text, "%s", reason_of(kind));
  else
    snprintf(text, sizeof text, TEXT_LOG_ENTRY, reason_of(kind), path);
  write_job_log(text);
}

void log_job_end(const job_outcome& outcome) {
  char end_line[end_line_size];
  snprintf(end_line, sizeof end_line, "%s", outcome.end_line);
  trim_trailing_blanks(end_line);
  char duration[duration_text_size];
  write_job_log_formatted(TEXT_LOG_END, end_line, format_duration(outcome.seconds, duration));
}
