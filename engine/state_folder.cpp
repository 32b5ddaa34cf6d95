// The program's state folder: one rule for every host, over the host's temporary folder.
#include "engine/state_folder.h"

#include <cstdio>

#include "core/gbk_text.h"
#include "platform/files.h"

bool program_state_folder(char (&folder)[windows_path_size]) {
  char temp[windows_path_size];
  if (!user_temp_folder(temp)) return false;
  const char* separator = gbk_ends_with_backslash(temp) ? "" : "\\";
  const int written = snprintf(folder, sizeof folder, "%s%sFerrix\\", temp, separator);
  if (written <= 0 || written >= static_cast<int>(sizeof folder)) return false;
  return make_folder(folder) != make_folder_result::failed;
}
