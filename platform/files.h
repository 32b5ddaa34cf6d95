// Files and folders as the engine sees them: backslash-separated narrow paths in the ANSI
// code page. Backends translate to the host's own conventions, and every call reaches exactly
// the names in its path (a name may end in a dot or a blank) or fails.
#pragma once
#include <cstdint>
#include <cstdio>

#include "core/limits.h"

struct folder_entry {
  char name[windows_path_size];
  bool is_folder;
  uint64_t size;
};

struct folder_listing;  // owned by the backend

// Opens the listing for a search pattern such as "C:\data\*.*". Null only when the folder
// cannot be listed (missing, not readable, a name the host cannot take); an empty folder gives
// a listing that yields nothing, or only "." and "..".
folder_listing* folder_listing_open(const char* pattern);
// Fills the next entry ("." and ".." included when the host reports them); false at the end.
bool folder_listing_next(folder_listing* listing, folder_entry* entry);
void folder_listing_close(folder_listing* listing);

enum class make_folder_result { made, exists, failed };
// Creates one folder level; the path may end with a backslash.
make_folder_result make_folder(const char* path);

// Buffered C stream in binary mode ("rb" or "wb"); null on failure.
FILE* open_file_stream(const char* path, const char* mode);
// The size and last-write time of the file an open stream reads, asked of the open file
// itself: no lookup by name, and the same file even if its name has been given to another.
// write_time counts in the host's own units; only equality is meaningful. The only measure of
// a stream's size.
struct file_stamp {
  int64_t size;
  int64_t write_time;
};
bool stream_stamp(FILE* stream, file_stamp* stamp);

// What the file system says of a name without opening it, so a file another program holds
// open exists all the same. read_only: the read-only attribute (no write permission bit at
// all where the host has bits), which Windows never lets a rename replace.
struct path_attributes {
  bool exists;
  bool is_folder;
  bool read_only;
};
path_attributes path_attributes_of(const char* path);

// Creates a file that must not exist yet and opens it for writing in binary mode. Null on
// failure; name_taken then tells whether something of that name was already there. While the
// stream is open the file counts as in use: delete_abandoned_file leaves it alone, in this
// process and in any other, and it appears under its name already in use.
FILE* create_new_file_stream(const char* path, bool* name_taken);
// Closes a finished file made by create_new_file_stream, its buffer flushed already, and moves
// it from temp_path to final_path: over a file standing there only when `replace` is set, else
// only where nothing stands yet. False when it did not close cleanly or could not take the
// name: it is then closed, still under temp_path, and final_path is as it was; name_taken then
// tells whether the name was refused because something stands there (without `replace`).
bool close_into_place(FILE* stream, const char* temp_path, const char* final_path, bool replace,
                      bool* name_taken);
// The move of close_into_place for a file already closed.
bool move_into_place(const char* temp_path, const char* final_path, bool replace,
                     bool* name_taken);

// 0 on success, otherwise the errno value that explains the failure.
int delete_file(const char* path);
// Deletes a file made by create_new_file_stream whose stream no process holds open any more
// (its maker ended or crashed). True when it was deleted; a file in use stays.
bool delete_abandoned_file(const char* path);
// Identity of a file or folder: its volume and its index there (device and inode), as the
// file system gives them; index_high is the upper half where the file system's indices have
// 128 bits, else 0. Two names with equal identities lead to one file.
struct file_identity {
  uint64_t volume;
  uint64_t index;
  uint64_t index_high;
};
inline bool same_identity(const file_identity& a, const file_identity& b) {
  return a.volume == b.volume && a.index == b.index && a.index_high == b.index_high;
}
// across_volumes: an identity that tells files of different volumes apart. on_its_volume: the
// index alone (volume 0), for comparisons whose two sides are known to lie on one volume (one
// path, asked twice); under Wine it spares the volume query that the other costs, a round trip
// through another process each time.
enum class identity_scope { across_volumes, on_its_volume };
bool get_file_identity(const char* path, identity_scope scope, file_identity* identity);
// The identity of the file an open stream reads or writes, asked of the open file itself.
bool stream_identity(FILE* stream, identity_scope scope, file_identity* identity);

// The user's temporary folder as the host names it (TEMP or TMP on Windows, TMPDIR or /tmp on
// other hosts), in the engine's form. False when there is none, or it does not fit.
bool user_temp_folder(char (&folder)[windows_path_size]);
