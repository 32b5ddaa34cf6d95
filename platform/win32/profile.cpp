// Win32 backend of profile files: the ANSI profile API.
#include "platform/profile.h"

#include <windows.h>

#include <cstring>

int32_t profile_read_int(const char* section, const char* key, int32_t default_value,
                         const char* path) {
  return static_cast<int32_t>(GetPrivateProfileIntA(section, key, default_value, path));
}

void profile_read_text(const char* section, const char* key, char* buffer, size_t size,
                       const char* path) {
  GetPrivateProfileStringA(section, key, "", buffer, static_cast<DWORD>(size), path);
}

bool profile_list_keys(const char* section, char* buffer, size_t size, const char* path) {
  const DWORD length =
      GetPrivateProfileStringA(section, nullptr, "", buffer, static_cast<DWORD>(size), path);
  if (length + 2 < size) return true;
  // The list filled the buffer: its last name may have been cut, so drop it.
  char* last = buffer;
  for (char* name = buffer; name < buffer + length && *name; name += strlen(name) + 1)
    last = name;
  *last = '\0';
  return false;
}

bool profile_write_text(const char* section, const char* key, const char* text,
                        const char* path) {
  const bool written = WritePrivateProfileStringA(section, key, text, path) != 0;
  // Drop the cached copy of the file, so that the next read sees what the disk holds.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
  return written;
}
