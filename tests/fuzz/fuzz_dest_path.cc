// Where the copy loop puts each file. Random destination and source roots, folders and names
// (GBK characters whose second byte is 0x5C, backslashes, colons, dots, cut-off characters) are
// listed by the real scan from an in-memory tree and taken through the real copy loop. Every
// destination it composes must lie below the destination root (on characters, never climbing
// out) and fit its buffer, or be refused; every folder it makes, temporary file it creates and
// name it moves a copy to must lie there too.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "core/job_state.h"
#include "engine/copy_loop.h"
#include "engine/dest_path.h"
#include "engine/file_list.h"
#include "engine/job_data.h"
#include "engine/source_scan.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/recording_reports.h"
#include "tests/fuzz/fake_files.h"
#include "tests/fuzz/fake_tree.h"
#include "tests/fuzz/fuzz_text.h"
#include "tests/fuzz/path_checks.h"

namespace {
constexpr size_t longest_dest_root = 259;
constexpr size_t longest_path = 255;
constexpr size_t longest_temp_path = 259;
uint8_t copy_buffer[4096];

using entry_key = std::pair<std::string, int32_t>;  // path and slot

// One source's files: a text of folders (split at its backslashes) and a name, one to three times.
void add_source_files(FuzzedDataProvider& input, const std::string& root) {
  const int files = input.ConsumeIntegralInRange<int>(1, 3);
  for (int i = 0; i < files; ++i) {
    std::string folder = place_below(root);
    for (const std::string& name : names_in(take_root_text(input, longest_path))) {
      if (!fake_tree_add_folder(folder, name) && !fake_tree_find(folder + name)) break;
      folder += name + "\\";
    }
    fake_tree_add_file(folder, take_name(input, 120), 3);
  }
}

// A fresh text, or a source root or a folder below one: a destination inside a source, where
// the copies meet the source files and names the copy loop wants for its temporary files.
std::string take_dest_root(FuzzedDataProvider& input, const std::vector<std::string>& roots) {
  const std::string& root = roots[input.ConsumeIntegralInRange<size_t>(0, roots.size() - 1)];
  std::string dest;
  switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: dest = root; break;
    case 1: dest = place_below(root) + take_name(input, 40); break;
    default: dest = take_root_text(input, longest_dest_root);
  }
  dest.resize(std::min(dest.size(), longest_dest_root));
  return dest;
}

void set_job(const std::string& dest, const std::vector<std::string>& roots, bool overwrite) {
  recording_reports_reset();
  fake_clock_reset(0);
  store(job_state.running, 1);
  store(job_state.paused, 0);
  store(job_state.closing, 0);
  store(job_state.overwrite_all, overwrite ? 1 : 0);
  store(job_state.dont_notify, 0);
  store(job_state.chunk_size, 1024);
  store(job_state.chunk_delay_ms, 0);
  snprintf(job_state.dest_root, sizeof job_state.dest_root, "%s", dest.c_str());
  job_state.source_count = static_cast<int32_t>(roots.size());
  for (size_t slot = 0; slot < roots.size(); ++slot)
    snprintf(job_state.sources[slot], sizeof job_state.sources[slot], "%s", roots[slot].c_str());
  recording_reports_on_report([](const job_report& report) {
    if (report.kind == report_kind::current_file)
      fake_files_note_label(report.text);
  });
}

// Scan, sort and copy as the worker does; hands back the sorted entries.
std::vector<entry_key> run_job() {
  list_entry** list = nullptr;
  const int32_t count = scan_sources(job_state.sources, job_state.source_count, list);
  FUZZ_CHECK(count >= 0 && list, "the scan failed without any allocation failing");
  qsort(list, static_cast<size_t>(count), sizeof(list_entry*), compare_paths_descending);
  std::vector<entry_key> sorted;
  for (int32_t i = 0; i < count; ++i) sorted.emplace_back(list[i]->path, static_cast<int32_t>(list[i]->source_slot));
  job_data = {};
  job_data.copy_buffer = copy_buffer;
  job_data.file_list = list;
  job_data.file_count = count;
  copy_files(count);
  free_file_list(list, count);
  job_data = {};
  recording_reports_on_report(nullptr);
  return sorted;
}

// Checks one file's part of the log: its label (the composed destination) up to the next one.
struct file_checker {
  const std::string& dest_root;
  std::string entry_path;
  std::vector<std::string> below_source;
  std::string dest;
  std::string temp;
  bool used = false;  // the file system saw something of this file

  std::string in_case() const {
    return " (destination root " + printable(dest_root) + ", source file " + printable(entry_path) +
           ", destination " + printable(dest) + ")";
  }

  void lies_below_root(const std::string& path, const char* what) const {
    FUZZ_CHECK(lies_below(path, dest_root), what + printable(path) + in_case());
    FUZZ_CHECK(!climbs_out(elements_of(path.substr(place_below(dest_root).size()))),
               what + printable(path) + in_case());
  }

  void on_use() {
    if (used) return;
    used = true;  // the destination was accepted: it must be right
    lies_below_root(dest, "destination used ");
    FUZZ_CHECK(dest.size() <= longest_path, "destination used " + in_case());
    FUZZ_CHECK(named_elements_of(dest.substr(place_below(dest_root).size())) == below_source,
               "not at the file's folders below its source" + in_case());
  }

  void check(const fake_event& event) {
    on_use();
    const std::string& path = event.path;
    switch (event.call) {
      case fake_call::make_folder:
        FUZZ_CHECK(path.size() <= longest_path && ends_with_backslash_character(path) &&
                       dest.compare(0, path.size(), path) == 0 &&
                       starts_character(dest, path.size()),
                   "folder level " + printable(path) + in_case());
        if (!is_root_or_above(path, dest_root)) lies_below_root(path, "folder level ");
        break;
      case fake_call::open_read:
      case fake_call::attributes:
        FUZZ_CHECK(path == entry_path || path == dest, "opened " + printable(path) + in_case());
        break;
      case fake_call::create_new:
        temp = path;
        // Beside its file, or in the destination's root where beside it would be too long.
        FUZZ_CHECK(path.size() <= longest_temp_path &&
                       (folder_of(path) == folder_of(dest) ||
                        folder_of(path) == place_below(dest_root)) &&
                       is_temp_name(path.substr(folder_of(path).size()).c_str()),
                   "temporary " + printable(path) + in_case());
        lies_below_root(path, "temporary ");
        break;
      case fake_call::replace:
      case fake_call::move_new:
        FUZZ_CHECK(event.from == temp && path == dest,
                   "moved " + printable(event.from) + " to " + printable(path) + in_case());
        FUZZ_CHECK(canonical(path) != canonical(entry_path), "the source replaced" + in_case());
        break;
      case fake_call::delete_file:
        FUZZ_CHECK(path == temp, "deleted " + printable(path) + in_case());
        break;
      default: FUZZ_CHECK(false, "unexpected call on " + printable(path) + in_case());
    }
  }

  // A destination nothing was done with must have deserved its refusal.
  void finish() const {
    if (used) return;
    FUZZ_CHECK(dest.size() > longest_path || !lies_below(dest, dest_root),
               "a fitting destination was refused" + in_case());
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fake_tree_clear();
  fake_files_reset();
  const bool overwrite = input.ConsumeBool();
  const std::vector<std::string> roots = take_source_roots(input);
  for (const std::string& root : roots) add_source_files(input, root);
  const std::string dest_root = take_dest_root(input, roots);

  set_job(dest_root, roots, overwrite);
  const std::vector<entry_key> sorted = run_job();

  std::map<entry_key, std::vector<std::string>> expected;
  for (const expected_entry& entry : expect_scan(roots).entries)
    expected[{entry.path, entry.slot}] = entry.below_source;

  size_t labels = 0;
  std::vector<file_checker> files;
  for (const fake_event& event : fake_files_log()) {
    if (event.call == fake_call::listing) continue;  // the scan's, checked by fuzz_scan_paths
    if (event.call == fake_call::label) {
      FUZZ_CHECK(labels < sorted.size(), "more files shown than listed");
      const entry_key& entry = sorted[sorted.size() - 1 - labels++];
      auto found = expected.find(entry);
      FUZZ_CHECK(found != expected.end(),
                 "listed a file the tree does not hold: " + printable(entry.first));
      if (!files.empty()) files.back().finish();
      files.push_back({dest_root, entry.first, found->second, event.path, {}, false});
      continue;
    }
    FUZZ_CHECK(!files.empty(),
               "file system used before any file was shown: " + printable(event.path));
    files.back().check(event);
  }
  if (!files.empty()) files.back().finish();
  FUZZ_CHECK(labels == sorted.size(), "not every listed file was shown");
  return 0;
}
