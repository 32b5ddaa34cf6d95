// Reading a job's settings file, one key at a time, in the order the load applies them.
// A missing or unreadable file, or one without the section, reads as the defaults.
#pragma once
#include <cstddef>
#include <cstdint>

// Texts are read into buffers this large: a value too long for the job still arrives whole
// enough to be recognised as too long, rather than cut into a different path.
constexpr size_t settings_value_size = 1024;

// "nsrc"; 0 when missing.
int32_t read_source_count(const char* path);

// Hands each non-empty "srcN" value with 0 <= N < source_count to take(context, value), in
// ascending N, until take returns false. Only the srcN keys that the section holds are read,
// so a huge source_count costs nothing; a key listed twice is read once.
void read_sources(const char* path, int32_t source_count,
                  bool (*take)(void* context, const char* source), void* context);

// "dest" into buffer (settings_value_size bytes); "" when missing. False when the value is
// longer than the destination field holds (259 characters).
bool read_dest(const char* path, char (&buffer)[settings_value_size]);

// "overwriteall", "dontnotify" or "verify": 1 when the value is exactly 1, otherwise 0, so that the
// check box and the worker never disagree.
int32_t read_option(const char* path, const char* key);

// "speed": the slider position, the slider's start position when missing. Not clamped: the
// slider keeps it within its range.
int32_t read_speed_position(const char* path);

// Whether the section holds the key at all (any letter case), whatever its value.
bool settings_hold_key(const char* path, const char* key);
