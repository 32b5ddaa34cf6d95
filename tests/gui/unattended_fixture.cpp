// Runs of ferrix.exe with /start and /log.
#include "tests/gui/unattended_fixture.h"

#include <cctype>
#include <cstdio>

#include "res/texts.h"
#include "tests/gui/file_tree.h"

namespace {
void replace_all(std::string& text, const std::string& token, const std::string& by) {
  for (size_t at = text.find(token); at != std::string::npos;
       at = text.find(token, at + by.size()))
    text.replace(at, token.size(), by);
}

// "YYYY-MM-DD HH:MM:SS ": a digit wherever the pattern has '9'.
bool has_time_stamp(const std::string& line) {
  const std::string pattern = "9999-99-99 99:99:99 ";
  if (line.size() < pattern.size()) return false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool digit = isdigit(static_cast<unsigned char>(line[i])) != 0;
    if (pattern[i] == '9' ? !digit : line[i] != pattern[i]) return false;
  }
  return true;
}

// The end line's duration as "*": it depends on the machine's pace. The end format is
// "<head>%s<middle>%s".
std::string without_duration(const std::string& text) {
  const std::string format = TEXT_LOG_END;
  const size_t first = format.find("%s");
  const size_t second = format.find("%s", first + 2);
  const std::string head = format.substr(0, first);
  const std::string middle = format.substr(first + 2, second - first - 2);
  const size_t at = text.rfind(middle);
  if (text.compare(0, head.size(), head) != 0 || at == std::string::npos) return text;
  return text.substr(0, at + middle.size()) + "*";
}
}  // namespace

void UnattendedFixture::SetUp() {
  JobFixture::SetUp();
  driver::close_ferrix(ferrix);  // the fixture's own, started without arguments
  job_path = root + "\\job.frx";
  log_path = root + "\\run.log";
}

void UnattendedFixture::TearDown() {
  if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
  JobFixture::TearDown();
}

void UnattendedFixture::write_job(const std::vector<std::string>& sources,
                                  const std::string& dest, int speed_position) {
  std::string text = "[Ferrix]\r\nnsrc=" + std::to_string(sources.size()) + "\r\n";
  for (size_t i = 0; i < sources.size(); ++i)
    text += "src" + std::to_string(i) + "=" + sources[i] + "\r\n";
  text += "dest=" + dest + "\r\nspeed=" + std::to_string(speed_position) + "\r\n";
  ASSERT_TRUE(file_tree::write_file(job_path, text)) << job_path;
}

void UnattendedFixture::lock_file(const std::string& path) {
  lock_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                      nullptr);
  ASSERT_NE(lock_, INVALID_HANDLE_VALUE) << path;
}

testing::AssertionResult UnattendedFixture::start(const std::string& arguments) {
  std::string command = arguments;
  replace_all(command, "{job}", "\"" + job_path + "\"");
  replace_all(command, "{log}", "\"" + log_path + "\"");
  if (driver::start_ferrix(ferrix, command)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "ferrix.exe did not start: " << command;
}

testing::AssertionResult UnattendedFixture::only_the_dialog_shows() {
  testing::AssertionResult result = testing::AssertionSuccess();
  for (HWND window : driver::visible_windows_of(ferrix)) {
    const std::string class_name = driver::class_of(window);
    const std::string title = driver::text_of(window);
    // A window the ending program has destroyed since it was listed reads as "": not a box.
    if (!IsWindow(window)) continue;
    if (class_name != "#32770" || title != TEXT_TITLE)
      result = testing::AssertionFailure() << "a window \"" << title << "\" of class "
                                           << class_name;
  }
  return result;
}

int UnattendedFixture::exit_code_without_boxes() {
  testing::AssertionResult windows = testing::AssertionSuccess();
  // A box would wait for a click that never comes: the program would not end either.
  driver::wait_until([&] {
    if (windows) windows = only_the_dialog_shows();
    return driver::has_exited(ferrix);
  });
  EXPECT_TRUE(windows);
  return driver::wait_for_exit(ferrix, 0);
}

std::vector<std::string> UnattendedFixture::log_lines() {
  log_lines_valid = testing::AssertionSuccess();
  std::string bytes;
  if (!file_tree::read_file(log_path, bytes)) {
    log_lines_valid = testing::AssertionFailure() << "no log at " << log_path;
    return {};
  }
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    if (!has_time_stamp(line) || line.back() == ' ')
      log_lines_valid = testing::AssertionFailure() << "a line without its time stamp, or "
                                                       "with a blank at its end: " << line;
    lines.push_back(without_duration(line.substr(line.size() < 20 ? line.size() : 20)));
  }
  if (start != bytes.size())
    log_lines_valid = testing::AssertionFailure() << "a last line without CRLF";
  return lines;
}

testing::AssertionResult UnattendedFixture::log_becomes(const std::vector<std::string>& lines) {
  std::vector<std::string> last;
  if (driver::wait_until([&] { return (last = log_lines()) == lines && log_lines_valid; }))
    return testing::AssertionSuccess();
  testing::AssertionResult failure = testing::AssertionFailure();
  failure << "the log holds " << last.size() << " lines:";
  for (const std::string& line : last) failure << "\n  " << line;
  return failure << "\n" << log_lines_valid.message();
}

std::string UnattendedFixture::entry(const char* reason, const std::string& path) {
  char text[2048];
  snprintf(text, sizeof text, TEXT_LOG_ENTRY, reason, path.c_str());
  return text;
}

std::string UnattendedFixture::formatted(const char* format, const std::string& text) {
  char line[2048];
  snprintf(line, sizeof line, format, text.c_str());
  return line;
}
