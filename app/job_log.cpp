// The job log's file.
#include "app/job_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "core/log_line.h"

namespace {
// Opened before the dialog exists and closed after it ends; lines come from the dialog's
// thread and the worker's, never both at once.
HANDLE log_file = INVALID_HANDLE_VALUE;
char log_path[MAX_PATH];

log_time local_time() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
}  // namespace

bool open_job_log(const char* path, char* full_path, unsigned full_path_size) {
  const DWORD length = GetFullPathNameA(path, full_path_size, full_path, nullptr);
  if (length == 0 || length >= full_path_size) {
    snprintf(full_path, full_path_size, "%s", path);
    return false;
  }
  // Append-only access: every write lands at the file's end, also when another run of the
  // program appends to the same log.
  log_file = CreateFileA(full_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  snprintf(log_path, sizeof log_path, "%s", full_path);
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
  return WriteFile(log_file, line, static_cast<DWORD>(length), &written, nullptr) &&
         written == length;
}

bool write_job_log_formatted(const char* format, ...) {
  char text[log_line_size];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return write_job_log(text);
}
