// The scan's path building over random roots and a random in-memory tree: folder prefixes,
// search patterns, relative paths and entries against the 255-character limit, links leading
// back up, unreadable folders and failing allocations. What it lists, opens and reports must
// be exactly what the tree and the rules give, every entry below its own root.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>

#include "core/job_state.h"
#include "engine/file_list.h"
#include "engine/job_data.h"
#include "engine/source_scan.h"
#include "platform/testing/refusing_worker_memory.h"
#include "platform/testing/recording_reports.h"
#include "tests/fuzz/fake_files.h"
#include "tests/fuzz/fake_tree.h"
#include "tests/fuzz/fuzz_text.h"
#include "tests/fuzz/path_checks.h"

namespace {
constexpr size_t longest_path = 255;
constexpr size_t longest_pattern = 259;

const std::string& any_folder(FuzzedDataProvider& input) {
  const std::vector<std::string>& keys = fake_tree_folder_keys();
  return keys[input.ConsumeIntegralInRange<size_t>(0, keys.size() - 1)];
}

// A folder that folder lies in (or folder itself), for a link that leads back up.
std::string any_folder_above(FuzzedDataProvider& input, const std::string& folder) {
  std::vector<std::string> above;
  for (const std::string& key : fake_tree_folder_keys())
    if (key == folder || (folder.compare(0, key.size(), key) == 0 && folder[key.size()] == '\\'))
      above.push_back(key);
  return above[input.ConsumeIntegralInRange<size_t>(0, above.size() - 1)];
}

void grow_tree(FuzzedDataProvider& input, const std::vector<std::string>& roots) {
  for (const std::string& root : roots) fake_tree_folder(place_below(root));
  const int steps = input.ConsumeIntegralInRange<int>(0, 64);
  for (int step = 0; step < steps && input.remaining_bytes() > 0; ++step) {
    const std::string folder = any_folder(input);
    switch (input.ConsumeIntegralInRange<int>(0, 8)) {
      case 0:
      case 1:
      case 2: fake_tree_add_folder(folder, take_name(input, 200)); break;
      case 3:
        fake_tree_add_link(folder, take_name(input, 20), any_folder_above(input, folder));
        break;
      case 4: fake_tree_folder(folder).readable = false; break;
      case 5:
        fake_tree_add_file(folder, take_name(input, 200), input.ConsumeIntegral<uint64_t>());
        break;
      case 6: {  // a name from a system where these are ordinary characters
        static const char* const steps[] = {"..", ".", "\\", "/"};
        const std::string inner = steps[input.ConsumeIntegralInRange<int>(0, 3)];
        const std::string name = take_name(input, 20) + inner + take_name(input, 20);
        const bool whole = input.ConsumeBool();  // "." or ".." itself, as a file
        fake_tree_add_file(folder, whole ? steps[input.ConsumeIntegralInRange<int>(0, 1)] : name, 1);
        break;
      }
      default: fake_tree_add_file(folder, take_name(input, 200), input.ConsumeIntegral<uint16_t>());
    }
  }
}

void set_job(const std::vector<std::string>& roots) {
  recording_reports_reset();
  store(job_state.closing, 0);
  store(job_state.dont_notify, 0);
  job_state.source_count = static_cast<int32_t>(roots.size());
  for (size_t slot = 0; slot < roots.size(); ++slot)
    snprintf(job_state.sources[slot], sizeof job_state.sources[slot], "%s", roots[slot].c_str());
  job_data = {};
}

std::string roots_case(const std::vector<std::string>& roots) {
  std::string shown = " (roots";
  for (const std::string& root : roots) shown += " " + printable(root);
  return shown + ")";
}

void check_listing(list_entry** list, int32_t count, const std::vector<std::string>& roots) {
  const expected_scan expected = expect_scan(roots);
  const std::string in_case = roots_case(roots);
  FUZZ_CHECK(static_cast<size_t>(count) == expected.entries.size(),
             std::to_string(count) + " listed, " + std::to_string(expected.entries.size()) +
                 " expected" + in_case);
  for (int32_t i = 0; i < count; ++i) {
    const std::string path = list[i]->path;
    const int32_t slot = list[i]->source_slot;
    const std::string where = " entry " + printable(path) + in_case;
    FUZZ_CHECK(path == expected.entries[i].path && slot == expected.entries[i].slot,
               "expected " + printable(expected.entries[i].path) + " slot " +
                   std::to_string(expected.entries[i].slot) + "," + where);
    FUZZ_CHECK(path.size() <= longest_path && slot >= 0 && static_cast<size_t>(slot) < roots.size(),
               where);
    FUZZ_CHECK(
        path.compare(0, roots[slot].size(), roots[slot]) == 0 && lies_below(path, roots[slot]),
        where);
  }
  FUZZ_CHECK(job_data.total_bytes == expected.total_bytes, "total bytes" + in_case);

  std::vector<std::string> patterns;
  for (const fake_event& event : fake_files_log())
    if (event.call == fake_call::listing) patterns.push_back(event.path);
  FUZZ_CHECK(patterns == expected.patterns, "the listings opened" + in_case);
  for (const std::string& pattern : patterns)
    FUZZ_CHECK(pattern.size() <= longest_pattern, "pattern " + printable(pattern) + in_case);

  std::vector<std::string> notices;
  for (const job_report& report : recorded_reports())
    if (report.kind == report_kind::notice) notices.push_back(report.text);
  FUZZ_CHECK(notices.size() == expected.refused.size(), "notices of paths not listed" + in_case);
  for (size_t i = 0; i < notices.size(); ++i)
    FUZZ_CHECK(notices[i].find(expected.refused[i]) != std::string::npos,
               "notice " + printable(notices[i]) + " should name " +
                   printable(expected.refused[i]) + in_case);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fake_tree_clear();
  fake_files_reset();
  const std::vector<std::string> roots = take_source_roots(input);
  grow_tree(input, roots);
  const bool starve = input.ConsumeBool();
  set_job(roots);

  fail_worker_allocation_after(starve ? input.ConsumeIntegralInRange<int32_t>(0, 40) : -1);
  list_entry** list = nullptr;
  const int32_t count = scan_sources(job_state.sources, job_state.source_count, list);
  fail_worker_allocation_after(-1);
  if (count < 0) {
    FUZZ_CHECK(starve && list == nullptr, "the scan failed" + roots_case(roots));
    return 0;  // and LeakSanitizer sees that everything obtained was freed
  }
  check_listing(list, count, roots);
  free_file_list(list, count);
  return 0;
}
