// Win32 backend of files and folders: the ANSI API and the C runtime's streams, each handed
// its path in the form that reaches exactly the names in it.
#include "platform/files.h"

#include <windows.h>
#include <winternl.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#include "core/gbk_text.h"
#include "platform/win32/exact_path.h"

static_assert(windows_path_size == MAX_PATH);

namespace {
bool is_separator(char c) { return c == '\\' || c == '/'; }

// One part of a path: the bytes from start to end, its last character at last.
struct path_part {
  const char* start;
  const char* end;
  const char* last;
};

// The next part at or after cursor, separators skipped; false when none is left. Walks by
// characters: a double-byte character's second byte may be a backslash's.
bool next_part(const char*& cursor, path_part& part) {
  while (is_separator(*cursor)) ++cursor;
  if (*cursor == '\0') return false;
  part.start = cursor;
  while (*cursor != '\0' && !is_separator(*cursor)) {
    part.last = cursor;
    cursor += gbk_character_length(cursor);
  }
  part.end = cursor;
  return true;
}

size_t length_of(const path_part& part) { return static_cast<size_t>(part.end - part.start); }

bool is_dots(const path_part& part, size_t dots) {
  return length_of(part) == dots && strncmp(part.start, "..", dots) == 0;
}

// A name the Windows rules would open without its last character. No second byte is a dot or
// a blank, so the last character is one only when it is a single byte.
bool loses_last_character(const path_part& part) {
  return part.end - part.last == 1 && (*part.last == '.' || *part.last == ' ') &&
         !is_dots(part, 1) && !is_dots(part, 2);
}

// The root of an absolute path: "X:" or "\\server\share". Relative and drive-relative paths
// have none, nor do device paths ("\\.\", "\\?\"): the rules leave those as they are.
struct path_root {
  size_t length;  // bytes of the path it takes; 0 when there is none
  path_part server;
  path_part share;
};

path_root root_of(const char* path) {
  path_root root{};
  if (drive_length(path) == 2 && is_separator(path[2])) {
    root.length = 2;
  } else if (is_separator(path[0]) && is_separator(path[1]) && !is_separator(path[2]) &&
             !((path[2] == '?' || path[2] == '.') && is_separator(path[3]))) {
    const char* cursor = path + 2;
    if (next_part(cursor, root.server) && next_part(cursor, root.share))
      root.length = static_cast<size_t>(cursor - path);
  }
  return root;
}

// Bounded writing into the caller's buffer; fits turns false for good once a byte is left out.
struct path_writer {
  char* buffer;
  size_t size;
  size_t length;
  bool fits;
  void append(const char* bytes, size_t count) {
    if (!fits || length + count >= size) {
      fits = false;
      return;
    }
    memcpy(buffer + length, bytes, count);
    length += count;
    buffer[length] = '\0';
  }
  void append(const path_part& part) { append(part.start, length_of(part)); }
};

bool ends_with_separator(const char* path) {
  const char* last = path;
  for (const char* c = path; *c != '\0'; c += gbk_character_length(c)) last = c;
  return is_separator(*last);
}
}  // namespace

const char* exact_path(const char* path, char* buffer, size_t buffer_size) {
  const path_root root = root_of(path);
  if (root.length == 0) return path;
  bool needed = false;
  path_part part;
  for (const char* cursor = path + root.length; !needed && next_part(cursor, part);)
    needed = loses_last_character(part);
  if (!needed) return path;

  path_writer out{buffer, buffer_size, 0, buffer_size > 0};
  if (root.server.start) {
    out.append("\\\\?\\UNC\\", 8);
    out.append(root.server);
    out.append("\\", 1);
    out.append(root.share);
  } else {
    out.append("\\\\?\\", 4);
    out.append(path, 2);
  }
  const size_t root_end = out.length;
  for (const char* cursor = path + root.length; out.fits && next_part(cursor, part);) {
    if (is_dots(part, 1)) continue;
    if (is_dots(part, 2)) {  // back to the parent, never above the root
      if (const char* parent = gbk_last_backslash(buffer + root_end)) {
        out.length = static_cast<size_t>(parent - buffer);
        buffer[out.length] = '\0';
      }
      continue;
    }
    out.append("\\", 1);
    out.append(part);
  }
  // The root keeps its backslash, and so does a folder given with one.
  if (out.length == root_end || ends_with_separator(path)) out.append("\\", 1);
  return out.fits ? buffer : nullptr;
}

namespace {
// What this backend hands every call: the path itself or its exact form; null when the exact
// form does not fit, and the call must fail rather than reach another name.
struct exact_buffer {
  char text[windows_path_size];
};

const char* for_calls(const char* path, exact_buffer& buffer) {
  return exact_path(path, buffer.text, sizeof buffer.text);
}
}  // namespace

struct folder_listing {
  HANDLE find;  // INVALID_HANDLE_VALUE for an empty folder that reports no entry at all
  WIN32_FIND_DATAA found;
  bool found_unread;
};

namespace {
// A '?' or '*' before the last part would not name one folder: a name outside the code page
// arrives with '?' in it, and no other folder may be listed in its place.
bool wildcard_in_folder_part(const char* pattern) {
  if (strncmp(pattern, "\\\\?\\", 4) == 0) pattern += 4;
  const char* last_backslash = gbk_last_backslash(pattern);
  for (const char* c = pattern; c < last_backslash; c += gbk_character_length(c))
    if (*c == '?' || *c == '*') return true;
  return false;
}

// Whether the folder of a listing pattern is there and may be listed: "no file found" is also
// the answer for an empty drive root (no "." entries) and for a folder that cannot be read.
bool folder_may_be_listed(const char* pattern) {
  const char* last_backslash = gbk_last_backslash(pattern);
  if (!last_backslash) return false;
  char folder[windows_path_size];
  snprintf(folder, sizeof folder, "%.*s", static_cast<int>(last_backslash - pattern + 1), pattern);
  HANDLE handle = CreateFileA(folder, FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}
}  // namespace

folder_listing* folder_listing_open(const char* pattern) {
  exact_buffer buffer;
  const char* exact = for_calls(pattern, buffer);
  if (!exact || wildcard_in_folder_part(pattern)) return nullptr;
  WIN32_FIND_DATAA found{};
  HANDLE find = FindFirstFileA(exact, &found);
  if (find == INVALID_HANDLE_VALUE &&
      (GetLastError() != ERROR_FILE_NOT_FOUND || !folder_may_be_listed(exact)))
    return nullptr;
  const bool any = find != INVALID_HANDLE_VALUE;
  folder_listing* listing = new (std::nothrow) folder_listing{find, found, any};
  if (!listing && any) FindClose(find);
  return listing;
}

bool folder_listing_next(folder_listing* listing, folder_entry* entry) {
  if (listing->find == INVALID_HANDLE_VALUE) return false;
  if (!listing->found_unread && !FindNextFileA(listing->find, &listing->found)) return false;
  listing->found_unread = false;
  const WIN32_FIND_DATAA& found = listing->found;
  snprintf(entry->name, sizeof entry->name, "%s", found.cFileName);
  entry->is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry->size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return true;
}

void folder_listing_close(folder_listing* listing) {
  if (listing->find != INVALID_HANDLE_VALUE) FindClose(listing->find);
  delete listing;
}

namespace {
// The system's own name for a path, as a rename asks for it: \??\C:\... or \??\UNC\server\...
// The length in characters; 0 when the path cannot be converted or does not fit.
size_t nt_path_of(const char* path, wchar_t* nt_path, size_t capacity) {
  wchar_t wide[MAX_PATH + 1];
  wchar_t full[2 * MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH + 1) == 0)
    return 0;
  const wchar_t* prefix = L"\\??\\";
  const wchar_t* rest = full;
  if (wcsncmp(wide, L"\\\\?\\", 4) == 0) {
    // Taken as it is: GetFullPathNameW would drop a final dot or blank even here.
    rest = wide + 4;
  } else {
    DWORD length = GetFullPathNameW(wide, 2 * MAX_PATH, full, nullptr);
    if (length == 0 || length >= 2 * MAX_PATH) return 0;
    if (wcsncmp(full, L"\\\\?\\", 4) == 0 || wcsncmp(full, L"\\\\.\\", 4) == 0) {
      rest = full + 4;
    } else if (wcsncmp(full, L"\\\\", 2) == 0) {
      prefix = L"\\??\\UNC\\";
      rest = full + 2;
    }
  }
  size_t prefix_length = wcslen(prefix), rest_length = wcslen(rest);
  if (prefix_length + rest_length >= capacity) return 0;
  wmemcpy(nt_path, prefix, prefix_length);
  wmemcpy(nt_path + prefix_length, rest, rest_length + 1);
  return prefix_length + rest_length;
}

constexpr NTSTATUS name_collision = static_cast<NTSTATUS>(0xC0000035L);  // "name exists"

enum class rename_result { renamed, name_taken, refused };

rename_result rename_open_file(HANDLE file, const char* to, bool replace) {
  constexpr size_t name_capacity = 3 * MAX_PATH;
  alignas(FILE_RENAME_INFORMATION) unsigned char
      buffer[offsetof(FILE_RENAME_INFORMATION, FileName) + name_capacity * sizeof(wchar_t)];
  auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer);
  size_t length = nt_path_of(to, rename->FileName, name_capacity);
  if (length == 0) return rename_result::refused;
  rename->ReplaceIfExists = replace ? TRUE : FALSE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<ULONG>(length * sizeof(wchar_t));
  IO_STATUS_BLOCK status;
  const NTSTATUS result = NtSetInformationFile(
      file, &status, rename,
      static_cast<ULONG>(offsetof(FILE_RENAME_INFORMATION, FileName) + rename->FileNameLength),
      FileRenameInformation);
  if (result >= 0) return rename_result::renamed;
  return result == name_collision ? rename_result::name_taken : rename_result::refused;
}
}  // namespace

make_folder_result make_folder(const char* path) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  if (!exact) return make_folder_result::failed;
  if (_mkdir(exact) == 0) return make_folder_result::made;
  return errno == EEXIST ? make_folder_result::exists : make_folder_result::failed;
}

FILE* open_file_stream(const char* path, const char* mode) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  if (!exact) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  return fopen(exact, mode);
}

namespace {
HANDLE handle_of(FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}
}  // namespace

// Two questions of the open file that need neither its volume nor its attributes: under Wine,
// GetFileInformationByHandle also asks the mount manager for the volume's serial number (a
// round trip through another process), and any answer with the attributes asks the server for
// the file's name.
bool stream_stamp(FILE* stream, file_stamp* stamp) {
  HANDLE file = handle_of(stream);
  LARGE_INTEGER size;
  FILETIME written;
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size) ||
      !GetFileTime(file, nullptr, nullptr, &written))
    return false;
  stamp->size = size.QuadPart;
  stamp->write_time = static_cast<int64_t>(
      (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
  return true;
}

path_attributes path_attributes_of(const char* path) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  const DWORD attributes = exact ? GetFileAttributesA(exact) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  return {true, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
          (attributes & FILE_ATTRIBUTE_READONLY) != 0};
}

FILE* create_new_file_stream(const char* path, bool* name_taken) {
  *name_taken = false;
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  if (!exact) return nullptr;
  // DELETE access lets close_into_place rename the file through this handle; sharing no
  // deletion keeps every delete_abandoned_file off it while the handle is open.
  HANDLE file = CreateFileA(exact, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    *name_taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "wb");
  if (!stream) _close(fd);
  return stream;
}

bool move_into_place(const char* temp_path, const char* final_path, bool replace,
                     bool* name_taken) {
  *name_taken = false;
  exact_buffer temp_buffer, final_buffer;
  const char* exact_temp = for_calls(temp_path, temp_buffer);
  const char* exact_final = for_calls(final_path, final_buffer);
  if (!exact_temp || !exact_final) return false;
  if (MoveFileExA(exact_temp, exact_final, replace ? MOVEFILE_REPLACE_EXISTING : 0)) return true;
  const DWORD error = GetLastError();
  *name_taken = !replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS);
  return false;
}

bool close_into_place(FILE* stream, const char* temp_path, const char* final_path, bool replace,
                      bool* name_taken) {
  *name_taken = false;
  exact_buffer final_buffer;
  const char* exact_final = for_calls(final_path, final_buffer);
  if (!exact_final) {
    fclose(stream);
    return false;
  }
  // Once the buffer is flushed the bytes are with the system, and closing the handle cannot
  // lose them: so the file is renamed through the handle still open, which spares opening it
  // again by name (and, under Wine, a scan of the folder). Where that rename is refused, the
  // usual move by name is tried after closing.
  const rename_result renamed = rename_open_file(handle_of(stream), exact_final, replace);
  const bool closed = fclose(stream) == 0;
  if (renamed == rename_result::renamed) return true;
  *name_taken = renamed == rename_result::name_taken;
  if (!closed || *name_taken) return false;
  return move_into_place(temp_path, final_path, replace, name_taken);
}

int delete_file(const char* path) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  if (!exact) return ENAMETOOLONG;
  return remove(exact) == 0 ? 0 : errno;
}

// A file whose maker still holds it open, as create_new_file_stream leaves it, refuses the
// deletion (sharing violation); the system closes that handle when its process ends.
bool delete_abandoned_file(const char* path) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  return exact && DeleteFileA(exact) != 0;
}

namespace {
// The file's index on its volume, in one question that names no volume.
bool index_of(HANDLE file, file_identity* identity) {
  FILE_INTERNAL_INFORMATION info;
  IO_STATUS_BLOCK status;
  if (NtQueryInformationFile(file, &status, &info, sizeof info, FileInternalInformation) < 0)
    return false;
  *identity = {0, static_cast<uint64_t>(info.IndexNumber.QuadPart), 0};
  return true;
}

// The file system's own identity of an open file with its volume's 64-bit serial number.
// Systems before Windows 8, and file systems that do not answer it, give the older form with
// the volume's 32-bit serial number.
bool identity_across_volumes(HANDLE file, file_identity* identity) {
  FILE_ID_INFO id;
  if (GetFileInformationByHandleEx(file, FileIdInfo, &id, sizeof id)) {
    uint64_t halves[2];
    static_assert(sizeof halves == sizeof id.FileId);
    memcpy(halves, &id.FileId, sizeof halves);
    *identity = {id.VolumeSerialNumber, halves[0], halves[1]};
    return true;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return false;
  *identity = {info.dwVolumeSerialNumber,
               (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow, 0};
  return true;
}

bool identity_of(HANDLE file, identity_scope scope, file_identity* identity) {
  if (file == INVALID_HANDLE_VALUE) return false;
  return scope == identity_scope::on_its_volume ? index_of(file, identity)
                                                : identity_across_volumes(file, identity);
}
}  // namespace

bool get_file_identity(const char* path, identity_scope scope, file_identity* identity) {
  exact_buffer buffer;
  const char* exact = for_calls(path, buffer);
  if (!exact) return false;
  HANDLE file = CreateFileA(exact, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = identity_of(file, scope, identity);
  CloseHandle(file);
  return known;
}

bool stream_identity(FILE* stream, identity_scope scope, file_identity* identity) {
  return identity_of(handle_of(stream), scope, identity);
}

bool user_temp_folder(char (&folder)[windows_path_size]) {
  const DWORD length = GetTempPathA(sizeof folder, folder);
  return length != 0 && length < sizeof folder;
}
