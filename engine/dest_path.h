// Where a listed file goes: the pure path arithmetic of the copy loop, apart from any file
// system, so that it can be tested and driven with any input.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/limits.h"
#include "engine/file_list.h"

struct path_pieces {
  char drive[3];                // "X:" or empty
  char folder[job_path_size];   // after the drive, up to and including the last backslash
  char name[job_path_size];     // the rest
};

// Splits a path of at most 255 characters; the last backslash is found by characters.
void split_file_path(const char* path, path_pieces& pieces);

// The drive-and-folder text without its first strlen(source) characters (the source the file
// was found under); empty rather than past the end if the source is the longer text.
const char* relative_folder_of(const char* drive_and_folder, const char* source);

// dest_root, a backslash unless dest_root ends with one, relative_folder without its leading
// backslash, then name. Writes at most out_size bytes and returns the full length, so a
// result of job_path_size or more means the path is too long for the worker.
size_t compose_dest_path(const char* dest_root, const char* relative_folder, const char* name,
                         char* out, size_t out_size);

// True when relative_folder and name, joined below a root, stay below it: no part is empty,
// ".", "..", or holds a forward slash. The scan never lists such names; this is the copy
// loop's own guard that nothing is ever written outside the destination.
bool stays_below_root(const char* relative_folder, const char* name);

// The folder levels of dest_file_path, outermost first: each call writes the next level (the
// drive, then the folder up to and including one of its backslashes, the folder's first
// character never counting) and returns false when none is left. cursor starts at 0.
bool next_folder_level(const char* dest_file_path, size_t& cursor, char (&level)[job_path_size]);

// The number-th temporary name in the folder of dest_file_path: a short "~hhhh" (four hex
// digits), which fits even beside a 255-character destination. False when number's name is
// the destination's own name, which is never to be used as its temporary, or does not fit.
bool compose_temp_path(const char* dest_file_path, uint32_t number,
                       char (&temp_path)[windows_path_size]);
