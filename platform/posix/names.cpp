// Names compared without case on hosts that have no comparison of Windows': the portable table.
#include "platform/names.h"

#include "core/gbk_case_fold.h"

bool same_path_ignoring_case(const char* left, const char* right) {
  return gbk_same_ignoring_case(left, right);
}
