// The checks every fault case ends with.
#include "tests/gui/tree_invariant.h"

#include <algorithm>
#include <cstdio>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"

namespace tree_invariant {
namespace {
constexpr uint64_t whole_compare_limit = 64ull << 20;
constexpr int sampled_blocks = 64;
constexpr size_t block_size = 64 * 1024;

uint64_t fnv1a(uint64_t hash, const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    hash ^= static_cast<unsigned char>(bytes[i]);
    hash *= 1099511628211ull;
  }
  return hash;
}

uint64_t size_of(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return UINT64_MAX;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Offsets of the blocks a big file is judged by: spread evenly, the first and last included.
std::vector<uint64_t> sample_offsets(uint64_t size) {
  std::vector<uint64_t> offsets;
  if (size <= whole_compare_limit) {
    for (uint64_t at = 0; at < size; at += block_size) offsets.push_back(at);
    return offsets;
  }
  for (int i = 0; i < sampled_blocks; ++i)
    offsets.push_back((size - block_size) / (sampled_blocks - 1) * i);
  return offsets;
}

bool read_block(HANDLE file, uint64_t offset, std::string& block) {
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  block.resize(block_size);
  DWORD count = 0;
  if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
      !ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &count, nullptr))
    return false;
  block.resize(count);
  return true;
}

HANDLE open_for_reading(const std::string& path) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  return CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// The print of one file; false if it could not be read.
bool print_of(const std::string& path, file_print& print) {
  print = {size_of(path), 14695981039346656037ull};
  HANDLE file = open_for_reading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string block;
  bool read = true;
  for (uint64_t offset : sample_offsets(print.size)) {
    if (!(read = read_block(file, offset, block))) break;
    print.hash = fnv1a(print.hash, block.data(), block.size());
  }
  CloseHandle(file);
  return read;
}

// Byte for byte (or block for block, past the limit); the bytes compared are added to counts.
bool same_contents(const std::string& a, const std::string& b, uint64_t& compared) {
  const uint64_t size = size_of(a);
  if (size == UINT64_MAX || size != size_of(b)) return false;
  HANDLE first = open_for_reading(a), second = open_for_reading(b);
  bool same = first != INVALID_HANDLE_VALUE && second != INVALID_HANDLE_VALUE;
  std::string block_a, block_b;
  for (uint64_t offset : sample_offsets(size)) {
    if (!same) break;
    same = read_block(first, offset, block_a) && read_block(second, offset, block_b) &&
           block_a == block_b;
    compared += block_a.size();
  }
  if (first != INVALID_HANDLE_VALUE) CloseHandle(first);
  if (second != INVALID_HANDLE_VALUE) CloseHandle(second);
  return same;
}

bool below(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.size() > folder.size() &&
         _strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0 &&
         path[folder.size()] == '\\';
}
}  // namespace

tree_state snapshot(const std::vector<std::string>& roots) {
  tree_state state;
  for (const std::string& root : roots)
    for (const std::string& relative : file_tree::files_below(root)) {
      const std::string path = root + "\\" + relative;
      file_print print{};
      if (!print_of(path, print)) print.hash = 0;  // unreadable: its size still counts
      state[path] = print;
    }
  return state;
}

testing::AssertionResult destination_holds_only_copies(const std::vector<std::string>& sources,
                                                       const std::string& dest, tally* counts,
                                                       const std::vector<std::string>& placed) {
  std::string faults;
  int checked = 0;
  uint64_t compared = 0;
  for (const std::string& relative : file_tree::files_below(dest)) {
    if (std::find(placed.begin(), placed.end(), relative) != placed.end()) continue;
    const std::string copy = dest + "\\" + relative;
    bool matched = false;
    for (const std::string& source : sources)
      if (file_tree::exists(source + "\\" + relative) &&
          same_contents(source + "\\" + relative, copy, compared)) {
        matched = true;
        break;
      }
    ++checked;
    if (!matched) faults += "\n  " + copy + " (" + std::to_string(size_of(copy)) + " bytes)";
  }
  if (counts) {
    counts->files_checked += checked;
    counts->bytes_compared += compared;
  }
  if (faults.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "files in " << dest
                                     << " that are no whole copy of a source:" << faults;
}

testing::AssertionResult unchanged_since(const tree_state& before,
                                         const std::vector<std::string>& roots,
                                         const std::string& except) {
  tree_state after = snapshot(roots);
  std::string faults;
  for (const auto& [path, print] : before) {
    if (below(path, except)) continue;
    auto now = after.find(path);
    if (now == after.end())
      faults += "\n  gone: " + path;
    else if (!(now->second == print))
      faults += "\n  changed: " + path;
  }
  for (const auto& [path, print] : after)
    if (!below(path, except) && before.find(path) == before.end()) faults += "\n  new: " + path;
  if (faults.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "outside the destination:" << faults;
}

testing::AssertionResult dialog_ends_idle(const driver::ferrix_process& ferrix) {
  HWND dialog = ferrix.dialog;
  const bool idle = driver::wait_until([&] {
    return driver::control_text(dialog, IDC_START_STOP) == TEXT_START &&
           driver::is_enabled(dialog, IDC_START_STOP) && !driver::is_enabled(dialog, IDC_PAUSE);
  });
  if (driver::has_exited(ferrix)) return testing::AssertionFailure() << "ferrix.exe has ended";
  if (!idle)
    return testing::AssertionFailure()
           << "not idle: Start/Stop shows \"" << driver::control_text(dialog, IDC_START_STOP)
           << "\", enabled " << driver::is_enabled(dialog, IDC_START_STOP) << ", Pause enabled "
           << driver::is_enabled(dialog, IDC_PAUSE);
  if (HWND box = driver::message_box_now(ferrix))
    return testing::AssertionFailure() << "a window is still open: "
                                       << driver::message_box_text(box);
  if (!IsWindowEnabled(dialog)) return testing::AssertionFailure() << "the dialog is disabled";
  return testing::AssertionSuccess();
}

}  // namespace tree_invariant
