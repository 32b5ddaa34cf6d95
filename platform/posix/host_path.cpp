// Path conversion shared by the POSIX backends.
#include "platform/posix/host_path.h"

#include <cstring>

#include "core/gbk_text.h"

bool to_host_path(const char* path, char (&host)[host_path_size]) {
  const size_t length = strlen(path);
  if (length >= sizeof host) {
    host[0] = '\0';
    return false;
  }
  for (size_t i = 0; i < length; i += gbk_character_length(path + i)) {
    host[i] = path[i] == '\\' ? '/' : path[i];
    if (gbk_character_length(path + i) == 2) host[i + 1] = path[i + 1];  // whatever it is
  }
  host[length] = '\0';
  return true;
}
