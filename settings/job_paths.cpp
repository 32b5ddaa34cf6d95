// Reading a job file's relative paths against its folder, character by character.
#include "settings/job_paths.h"

#include <cstring>

#include "core/gbk_text.h"

namespace {
bool is_separator(char c) { return c == '\\' || c == '/'; }

// Bytes of the root that a full path starts with: "E:\" or "\\server\share\" (the last
// backslash included when there is one); 0 for any other path.
size_t root_length(const char* path) {
  if (drive_length(path) == 2) return is_separator(path[2]) ? 3 : 0;
  if (!is_separator(path[0]) || !is_separator(path[1])) return 0;
  size_t separators = 0;
  const char* c = path + 2;
  for (; *c && separators < 2; c += gbk_character_length(c))
    if (is_separator(*c)) ++separators;
  return static_cast<size_t>(c - path);
}

// Drops the last name of folder (which ends with a separator), keeping at least keep bytes.
void drop_last_name(std::string& folder, size_t keep) {
  if (folder.size() <= keep) return;
  size_t cut = keep;
  const std::string inner = folder.substr(0, folder.size() - 1);
  for (size_t at = 0; at < inner.size(); at += gbk_character_length(inner.c_str() + at))
    if (is_separator(inner[at])) cut = at + 1 > keep ? at + 1 : keep;
  folder.resize(cut);
}
}  // namespace

job_path_form job_path_form_of(const char* value) {
  if (value[0] == '\0' || root_length(value) != 0) return job_path_form::full;
  if (drive_length(value) == 2) return job_path_form::drive_relative;
  // ':' is never a second byte of GBK, so a byte search finds only the character.
  return strchr(value, ':') ? job_path_form::no_name : job_path_form::relative;
}

std::string absolute_job_path(const char* job_file, const char* value) {
  if (job_path_form_of(value) != job_path_form::relative) return value;
  const size_t root = root_length(job_file);
  std::string folder(job_file, root);
  if (!is_separator(value[0])) {
    const char* last = gbk_last_backslash(job_file);
    if (last && static_cast<size_t>(last - job_file) >= root)
      folder.assign(job_file, static_cast<size_t>(last - job_file) + 1);
  }
  const char* c = value;
  while (*c) {
    while (is_separator(*c)) ++c;
    const char* name = c;
    while (*c && !is_separator(*c)) c += gbk_character_length(c);
    const std::string step(name, static_cast<size_t>(c - name));
    if (step == "..")
      drop_last_name(folder, root);
    else if (!step.empty() && step != ".")
      folder += step + "\\";
  }
  // "x\" keeps its closing backslash, "x" gets none; a root keeps its own.
  const bool keeps_separator =
      gbk_ends_with_backslash(value) || value[strlen(value) - 1] == '/' || folder.size() <= root;
  if (!keeps_separator && !folder.empty()) folder.pop_back();
  return folder;
}
