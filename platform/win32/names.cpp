// Names compared without case the way Windows compares them: in UTF-16, ordinal, ignoring case
// (the upper-case table the file system uses too), after conversion from the ANSI code page,
// in which every path is.
#include "platform/names.h"

#include <windows.h>

#include <cstring>
#include <iterator>

#include "core/limits.h"

namespace {
// A path converts to no more characters than it has bytes.
using wide_path = WCHAR[composed_path_size];

// Characters written, 0 when the text is not valid in the code page or does not fit.
int to_utf16(const char* text, wide_path& wide) {
  return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, wide,
                             static_cast<int>(std::size(wide)));
}
}  // namespace

bool same_path_ignoring_case(const char* left, const char* right) {
  wide_path wide_left;
  wide_path wide_right;
  const int left_length = to_utf16(left, wide_left);
  const int right_length = to_utf16(right, wide_right);
  if (left_length == 0 || right_length == 0) return strcmp(left, right) == 0;
  return CompareStringOrdinal(wide_left, left_length - 1, wide_right, right_length - 1, TRUE) ==
         CSTR_EQUAL;
}
