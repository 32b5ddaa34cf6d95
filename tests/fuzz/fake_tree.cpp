// The fuzzers' in-memory tree and the scan it must give; see fake_tree.h.
#include "tests/fuzz/fake_tree.h"

#include <map>

#include "tests/fuzz/path_checks.h"

namespace {
constexpr size_t longest_path = 255;

std::map<std::string, fake_folder> folders;
std::vector<std::string> keys;
uint64_t next_identity = 1;

bool name_taken(const fake_folder& folder, const std::string& name) {
  for (const fake_item& item : folder.items)
    if (item.name == name) return true;
  return false;
}

std::string child_key(const std::string& folder_path, const std::string& name) {
  return canonical(folder_path + "\\" + name);
}

// A name that, joined to a path, would name some other place.
bool leads_elsewhere(const fake_item& item) {
  if (item.name.find('/') != std::string::npos || elements_of(item.name).size() > 1) return true;
  return !item.is_folder && (item.name == "." || item.name == "..");
}

struct model_walk {
  expected_scan result;
  std::vector<uint64_t> on_path;

  void folder(const std::string& prefix, int32_t slot, std::vector<std::string>& below) {
    const fake_folder* here = fake_tree_find(prefix);
    for (uint64_t identity : on_path)
      if (here && identity == here->identity) return;  // met again below itself
    result.patterns.push_back(prefix + "*.*");
    if (!here || !here->readable) {
      result.refused.push_back(prefix.substr(0, prefix.size() - 1));  // the folder, named
      return;
    }
    on_path.push_back(here->identity);
    for (const fake_item& item : here->items) {
      below.push_back(item.name);
      if (leads_elsewhere(item))
        result.refused.push_back(prefix + item.name);
      else if (item.is_folder)
        subfolder(prefix, item.name, slot, below);
      else
        file(prefix + item.name, slot, below, item.size);
      below.pop_back();
    }
    on_path.pop_back();
  }

  void subfolder(const std::string& prefix, const std::string& name, int32_t slot,
                 std::vector<std::string>& below) {
    const std::string sub_prefix = prefix + name + "\\";
    if (sub_prefix.size() > longest_path)
      result.refused.push_back(prefix + name);
    else
      folder(sub_prefix, slot, below);
  }

  void file(const std::string& path, int32_t slot, const std::vector<std::string>& below,
            uint64_t size) {
    if (path.size() > longest_path) {
      result.refused.push_back(path);
      return;
    }
    result.entries.push_back({path, slot, below, size});
    result.total_bytes += size;
  }
};
}  // namespace

void fake_tree_clear() {
  folders.clear();
  keys.clear();
}

fake_folder& fake_tree_folder(const std::string& path) {
  const std::string key = canonical(path);
  auto found = folders.find(key);
  if (found != folders.end()) return found->second;
  keys.push_back(key);
  return folders[key] = fake_folder{next_identity++, true, {}, {}};
}

const fake_folder* fake_tree_find(const std::string& path) {
  auto found = folders.find(canonical(path));
  if (found == folders.end()) return nullptr;
  if (found->second.link_target.empty()) return &found->second;
  auto target = folders.find(found->second.link_target);
  return target == folders.end() ? nullptr : &target->second;
}

bool fake_tree_add_file(const std::string& folder_path, const std::string& name, uint64_t size) {
  fake_folder& folder = fake_tree_folder(folder_path);
  if (name_taken(folder, name)) return false;
  folder.items.push_back({name, false, size});
  return true;
}

bool fake_tree_add_folder(const std::string& folder_path, const std::string& name) {
  fake_folder& folder = fake_tree_folder(folder_path);
  if (name_taken(folder, name)) return false;
  folder.items.push_back({name, true, 0});
  fake_tree_folder(child_key(folder_path, name));  // may exist already: reached another way
  return true;
}

bool fake_tree_add_link(const std::string& folder_path, const std::string& name,
                        const std::string& target_path) {
  if (folders.count(child_key(folder_path, name)) || !fake_tree_add_folder(folder_path, name))
    return false;
  fake_tree_folder(child_key(folder_path, name)).link_target = canonical(target_path);
  return true;
}

const std::vector<std::string>& fake_tree_folder_keys() { return keys; }

expected_scan expect_scan(const std::vector<std::string>& roots) {
  model_walk walk;
  for (size_t slot = 0; slot < roots.size(); ++slot) {
    const std::string prefix = place_below(roots[slot]);
    if (!ends_with_backslash_character(prefix)) {  // cut off: nowhere below it, and said so
      walk.result.refused.push_back(roots[slot]);
      continue;
    }
    if (prefix.size() > longest_path) {
      walk.result.refused.push_back(prefix);
      continue;
    }
    std::vector<std::string> below;
    walk.folder(prefix, static_cast<int32_t>(slot), below);
  }
  return walk.result;
}
