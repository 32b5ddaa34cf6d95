// What every fault case must leave behind: a destination holding only whole, byte-identical
// copies, nothing changed outside it, an idle dialog and a process that is still there.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/gui/ferrix_driver.h"

namespace tree_invariant {

struct file_print {
  uint64_t size;
  uint64_t hash;  // of the whole contents, or of the sampled blocks for a very big file
  bool operator==(const file_print&) const = default;
};

// Every file below the roots, by full path.
using tree_state = std::map<std::string, file_print>;
tree_state snapshot(const std::vector<std::string>& roots);

// Running totals over a test run, for the summary lines of the long suites.
struct tally {
  int files_checked = 0;
  uint64_t bytes_compared = 0;
};

// Every file below dest is byte-identical to the file at the same relative path below one of
// the sources; the failure lists each file that is not (a partial, a temporary, a stray).
// Files bigger than 64 MiB are compared by size and sampled blocks. `placed` names files
// (relative to dest) that the test put there itself and checks on its own.
testing::AssertionResult destination_holds_only_copies(const std::vector<std::string>& sources,
                                                       const std::string& dest,
                                                       tally* counts = nullptr,
                                                       const std::vector<std::string>& placed = {});

// The roots hold exactly what they held before; paths below `except` are not looked at.
testing::AssertionResult unchanged_since(const tree_state& before,
                                         const std::vector<std::string>& roots,
                                         const std::string& except = "");

// Start shows its Start caption and is enabled, Pause is disabled, no window of the process
// other than the dialog is open, and the process still runs; waits for it to get there.
testing::AssertionResult dialog_ends_idle(const driver::ferrix_process& ferrix);

}  // namespace tree_invariant
