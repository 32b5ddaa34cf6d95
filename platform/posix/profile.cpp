// POSIX backend of profile files: a small reader and writer that keeps the Windows profile
// conventions, so that a file moves between the two hosts unchanged. New lines end in CR LF;
// reads accept any line end. Only the first section of a name counts, as on Windows.
#include "platform/profile.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/gbk_text.h"
#include "platform/posix/host_path.h"

namespace {

// Missing and unreadable (a folder, say) both give false.
bool read_whole_file(const char* path, std::string* text) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return false;
  FILE* file = fopen(host, "rb");
  if (!file) return false;
  char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) text->append(chunk, got);
  const bool complete = !ferror(file);
  fclose(file);
  return complete;
}

bool write_whole_file(const char* path, const std::string& text) {
  char host[host_path_size];
  if (!to_host_path(path, host)) return false;
  FILE* file = fopen(host, "wb");
  if (!file) return false;
  const bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return (fclose(file) == 0) && written;
}

struct span {
  const char* begin;
  const char* end;
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

span trimmed(span text) {
  while (text.begin < text.end && is_blank(*text.begin)) ++text.begin;
  while (text.end > text.begin && is_blank(text.end[-1])) --text.end;
  return text;
}

// Letter case does not count; a double-byte character (whose second byte may look like a
// letter) is compared as it stands.
bool same_name(span name, const char* wanted) {
  const size_t length = strlen(wanted);
  return static_cast<size_t>(name.end - name.begin) == length &&
         gbk_same_ignoring_ascii_case(name.begin, wanted, length);
}

enum class line_kind { blank, section, key_value, other };

struct line {
  span whole;  // without its line end
  size_t next;  // offset of the next line
  line_kind kind;
  span name;
  span value;
};

line classify(span whole, size_t next) {
  line result{whole, next, line_kind::other, {}, {}};
  const span text = trimmed(whole);
  if (text.begin == text.end) {
    result.kind = line_kind::blank;
  } else if (*text.begin == '[') {
    const char* close = text.end - 1;
    while (close > text.begin && *close != ']') --close;
    if (close > text.begin) {
      result.kind = line_kind::section;
      result.name = trimmed(span{text.begin + 1, close});
    }
  } else if (*text.begin != ';') {
    const char* equals = static_cast<const char*>(
        memchr(text.begin, '=', static_cast<size_t>(text.end - text.begin)));
    if (equals) {
      result.name = trimmed(span{text.begin, equals});
      result.value = trimmed(span{equals + 1, text.end});
      if (result.name.begin != result.name.end) result.kind = line_kind::key_value;
    }
  }
  return result;
}

// Reads the line at *offset (any of CR LF, LF or CR ends it); false at the end of the text.
bool next_line(const std::string& text, size_t* offset, line* found) {
  if (*offset >= text.size()) return false;
  const char* begin = text.data() + *offset;
  const char* end = begin;
  const char* text_end = text.data() + text.size();
  while (end < text_end && *end != '\n' && *end != '\r') ++end;
  const char* after = end;
  if (after < text_end && *after == '\r') ++after;
  if (after < text_end && *after == '\n') ++after;
  *found = classify(span{begin, end}, static_cast<size_t>(after - text.data()));
  *offset = found->next;
  return true;
}

// Walks the lines of the first section of that name; `visit` returns false to stop early.
template <typename visit_line>
void for_each_section_line(const std::string& text, const char* section, visit_line visit) {
  size_t offset = 0;
  line current;
  bool inside = false;
  while (next_line(text, &offset, &current)) {
    if (current.kind == line_kind::section) {
      if (inside) return;
      inside = same_name(current.name, section);
      if (inside && !visit(current)) return;
      continue;
    }
    if (inside && !visit(current)) return;
  }
}

bool find_value(const std::string& text, const char* section, const char* key, span* value) {
  bool found = false;
  for_each_section_line(text, section, [&](const line& current) {
    if (current.kind == line_kind::key_value && same_name(current.name, key)) {
      *value = current.value;
      found = true;
    }
    return !found;
  });
  return found;
}

span without_quotes(span value) {
  const size_t length = static_cast<size_t>(value.end - value.begin);
  if (length >= 2 && (*value.begin == '"' || *value.begin == '\'') && value.end[-1] == *value.begin)
    return span{value.begin + 1, value.end - 1};
  return value;
}

// The value as text, "" when there is none.
void read_value(const char* section, const char* key, char* buffer, size_t size, const char* path) {
  if (size == 0) return;
  buffer[0] = '\0';
  std::string text;
  span value;
  if (!read_whole_file(path, &text) || !find_value(text, section, key, &value)) return;
  value = without_quotes(value);
  size_t length = static_cast<size_t>(value.end - value.begin);
  if (length > size - 1) length = size - 1;
  memcpy(buffer, value.begin, length);
  buffer[length] = '\0';
}

// Optional sign, then decimal digits; the arithmetic wraps as the platform's does.
int32_t parse_leading_integer(const char* text) {
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  uint32_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) magnitude = magnitude * 10u + uint32_t(*text - '0');
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}
}  // namespace

int32_t profile_read_int(const char* section, const char* key, int32_t default_value,
                         const char* path) {
  char text[64];
  read_value(section, key, text, sizeof text, path);
  return text[0] ? parse_leading_integer(text) : default_value;
}

void profile_read_text(const char* section, const char* key, char* buffer, size_t size,
                       const char* path) {
  read_value(section, key, buffer, size, path);
}

bool profile_list_keys(const char* section, char* buffer, size_t size, const char* path) {
  if (size < 2) return false;
  memset(buffer, 0, 2);
  std::string text;
  if (!read_whole_file(path, &text)) return true;
  size_t used = 0;
  bool complete = true;
  for_each_section_line(text, section, [&](const line& current) {
    if (current.kind != line_kind::key_value) return true;
    const size_t length = static_cast<size_t>(current.name.end - current.name.begin);
    if (used + length + 2 > size) {  // the name, its NUL and the list's final NUL
      complete = false;
      return false;
    }
    memcpy(buffer + used, current.name.begin, length);
    used += length;
    buffer[used++] = '\0';
    return true;
  });
  buffer[used] = '\0';
  return complete;
}

bool profile_write_text(const char* section, const char* key, const char* text,
                        const char* path) {
  std::string old_text;
  char host[host_path_size];
  if (!to_host_path(path, host)) return false;
  FILE* probe = fopen(host, "rb");
  if (probe) {
    fclose(probe);
    if (!read_whole_file(path, &old_text)) return false;  // never replace what we could not read
  }
  const std::string new_line = std::string(key) + "=" + text;
  std::string replaced_line;  // the key's line with the new value, the file's name kept

  bool section_found = false;
  size_t key_begin = 0, key_end = 0;  // the key's line, without its line end
  bool key_found = false;
  size_t insert_at = 0;  // just after the section's last line that is not blank
  bool insert_needs_line_end = false;
  for_each_section_line(old_text, section, [&](const line& current) {
    section_found = true;
    if (current.kind == line_kind::key_value && same_name(current.name, key)) {
      key_begin = static_cast<size_t>(current.whole.begin - old_text.data());
      key_end = static_cast<size_t>(current.whole.end - old_text.data());
      replaced_line = std::string(current.name.begin, current.name.end) + "=" + text;
      key_found = true;
      return false;
    }
    if (current.kind != line_kind::blank) {
      insert_at = current.next;
      insert_needs_line_end = current.whole.end == old_text.data() + current.next;
    }
    return true;
  });

  std::string new_text;
  if (key_found) {
    new_text = old_text.substr(0, key_begin) + replaced_line + old_text.substr(key_end);
  } else if (section_found) {
    new_text = old_text.substr(0, insert_at) + (insert_needs_line_end ? "\r\n" : "") + new_line +
               "\r\n" + old_text.substr(insert_at);
  } else {
    new_text = old_text;
    if (!new_text.empty() && new_text.back() != '\n' && new_text.back() != '\r')
      new_text += "\r\n";
    new_text += std::string("[") + section + "]\r\n" + new_line + "\r\n";
  }
  return write_whole_file(path, new_text);
}
