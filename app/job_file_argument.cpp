// The job file named on the command line.
#include "app/job_file_argument.h"

#include "app/dialog_controls.h"
#include "app/dialog_state.h"
#include "app/settings_commands.h"
#include "core/limits.h"
#include "res/texts.h"

namespace {
// Reading a profile never fails: a missing file, a folder or a file another program holds
// without sharing would load as the defaults without a word. Opening it tells them apart.
bool readable_file(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}
}  // namespace

bool load_job_file_argument(HWND dialog) {
  const char* argument = dialog_state_of(dialog).options.job_file;
  if (argument[0] == '\0') return true;
  // The profile functions look for a bare file name in the Windows folder, not the current
  // one; and Save should propose where the file really is.
  char path[windows_path_size];
  const DWORD length = GetFullPathNameA(argument, sizeof path, path, nullptr);
  const bool has_full_path = length != 0 && length < sizeof path;
  if (!has_full_path || !readable_file(path)) {
    show_path_error(dialog, TEXT_JOB_FILE_UNREADABLE, has_full_path ? path : argument);
    return false;
  }
  return load_settings_file(dialog, path);
}
