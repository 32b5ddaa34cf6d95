// Names compared without case the way Windows compares them: in UTF-16, ordinal, ignoring case
// (the upper-case table the file system uses too), after conversion from code page 936.
#include "platform/names.h"

#include <windows.h>

#include <cstring>

namespace {
constexpr UINT gbk_code_page = 936;
constexpr int wide_path_size = 520;  // every path the engine handles is far shorter

// Characters written, 0 when the text is not valid in the code page or does not fit.
int to_utf16(const char* text, WCHAR (&wide)[wide_path_size]) {
  return MultiByteToWideChar(gbk_code_page, MB_ERR_INVALID_CHARS, text, -1, wide,
                             wide_path_size);
}
}  // namespace

bool same_path_ignoring_case(const char* left, const char* right) {
  WCHAR wide_left[wide_path_size];
  WCHAR wide_right[wide_path_size];
  const int left_length = to_utf16(left, wide_left);
  const int right_length = to_utf16(right, wide_right);
  if (left_length == 0 || right_length == 0) return strcmp(left, right) == 0;
  return CompareStringOrdinal(wide_left, left_length - 1, wide_right, right_length - 1, TRUE) ==
         CSTR_EQUAL;
}
