// Profile (INI) files as the settings code sees them: "[section]" headers and key=value lines,
// names compared without regard to letter case. Backends keep the host's profile conventions:
// blanks around names and values are dropped, and one pair of matching quotes around a value
// is removed when it is read.
#pragma once
#include <cstddef>
#include <cstdint>

// The key's value as an integer: optional sign, then decimal digits up to the first other
// character (text that does not start with a number reads 0). default_value when the file,
// the section or the key is missing, or the value is empty.
int32_t profile_read_int(const char* section, const char* key, int32_t default_value,
                         const char* path);

// The key's value, cut to size - 1 bytes; "" when the file, the section or the key is missing.
void profile_read_text(const char* section, const char* key, char* buffer, size_t size,
                       const char* path);

// The names of the section's keys, in file order, each followed by a NUL, with one more NUL at
// the end ("" when there are none). Only whole names: when they do not all fit, the list stops
// before the first that does not and the result is false.
bool profile_list_keys(const char* section, char* buffer, size_t size, const char* path);

// Sets the key to the text (written as it is), creating the file and the section when needed
// and leaving every other line of the file as it was. False when the host reports a failure;
// a true result does not prove that the text reached the disk.
bool profile_write_text(const char* section, const char* key, const char* text,
                        const char* path);
