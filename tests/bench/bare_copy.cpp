// The least a Win32 copy of a folder tree does under Wine: list, create the folders, read and
// write each file through one buffer, close. No temporary name, no sorting, no progress: the
// benchmark's floor, to show how far Ferrix is from what Wine itself allows.
//
//   bare_copy.exe SOURCE-FOLDER DEST-FOLDER   (DEST-FOLDER is created; exit 1 on any failure)
// Prints seconds=S, the copy alone: like Ferrix's time, it leaves out the start of the process.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
char buffer[1 << 20];  // one chunk: under Wine the chunk size hardly moves the time

bool fail(const char* what, const std::string& path) {
  std::fprintf(stderr, "bare_copy: %s %s failed (error %lu)\n", what, path.c_str(),
               GetLastError());
  return false;
}

bool copy_file(const std::string& from, const std::string& to) {
  HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) return fail("opening", from);
  HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    CloseHandle(in);
    return fail("creating", to);
  }
  bool ok = true;
  for (;;) {
    DWORD got = 0, put = 0;
    if (!ReadFile(in, buffer, sizeof buffer, &got, nullptr)) {
      ok = fail("reading", from);
      break;
    }
    if (got == 0) break;
    if (!WriteFile(out, buffer, got, &put, nullptr) || put != got) {
      ok = fail("writing", to);
      break;
    }
  }
  CloseHandle(in);
  return CloseHandle(out) && ok;
}

// Copies the folder's files and folders as the listing gives them, depth first.
bool copy_folder(const std::string& from, const std::string& to) {
  if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return fail("creating the folder", to);
  }
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA((from + "\\*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return fail("listing", from);
  bool ok = true;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ok = is_folder ? copy_folder(from + "\\" + name, to + "\\" + name)
                   : copy_file(from + "\\" + name, to + "\\" + name);
  } while (ok && FindNextFileA(listing, &found));
  FindClose(listing);
  return ok;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bare_copy.exe SOURCE-FOLDER DEST-FOLDER\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!copy_folder(argv[1], argv[2])) return 1;
  QueryPerformanceCounter(&end);
  std::printf("seconds=%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) /
                                     static_cast<double>(frequency.QuadPart));
  return 0;
}
