// Property: any job whose paths hold no line break comes back from Save and Load unchanged,
// whatever the paths contain (double-byte characters, some ending in 0x5C, blanks at either
// end, '=', ';', quotes, brackets). Seeded, so a failure repeats; a path that does not come
// back is printed in hex.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"

namespace {
const char* const path_pieces[] = {
    "a", "Z", "0", "9", " ", "  ", "\t", "=", ";", "\"", "'", "[", "]", ".", "-", "_", "\\",
    "\x81\x5c",          // 乗, second byte a backslash
    "\x87\x5c",          // 嘰
    "\x92\x5c",          // 抃
    "\x81\x5b",          // 乕, second byte '['
    "\x81\x5d",          // 乚, second byte ']'
    "\x81\x7c",          // 亅
    "\xce\xc4\xbc\xfe",  // 文件
    "\xb1\xb8\xb7\xdd",  // 备份
};

std::string random_path(std::mt19937& random, size_t max_length) {
  const char* const drives[] = {"", "C:\\", "D:\\", "\\\\server\\share\\"};
  for (;;) {
    std::string path = drives[random() % 4];
    const int pieces = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < pieces; ++i) path += path_pieces[random() % std::size(path_pieces)];
    if (path.size() <= max_length) return path;
  }
}

std::string hex_of(const std::string& text) {
  std::string hex;
  char byte[4];
  for (unsigned char c : text) {
    snprintf(byte, sizeof byte, "%02X ", c);
    hex += byte;
  }
  return hex;
}

constexpr uint32_t slider_positions = slider_max_position - slider_min_position + 1;

class RoundTrip : public SettingsScratch {};

TEST_F(RoundTrip, RandomJobsComeBackUnchanged) {
  const uint32_t seed = 5150;
  std::mt19937 random(seed);
  int cannot_hold = 0;
  for (int round = 0; round < 120; ++round) {
    std::vector<std::string> sources;
    const int count = static_cast<int>(random() % 7);
    for (int i = 0; i < count; ++i) sources.push_back(random_path(random, job_path_size - 1));
    // One draw per statement: the order of draws is then the same on every compiler.
    const std::string dest = random_path(random, windows_path_size - 1);
    const int32_t overwrite_all = static_cast<int32_t>(random() % 2);
    const int32_t dont_notify = static_cast<int32_t>(random() % 2);
    const int32_t speed = slider_min_position + static_cast<int32_t>(random() % slider_positions);
    auto job = job_to_save(sources, dest, overwrite_all, dont_notify, speed);
    const std::string path = path_of("round " + std::to_string(round % 5) + ".frx");
    const save_result saved = save_job_settings(path.c_str(), *job);
    const loaded_job loaded = load_job(path);
    if (saved == save_result::saved && loaded == as_loaded(*job)) continue;
    ++cannot_hold;
    for (const std::string& source : sources) printf("  source %s\n", hex_of(source).c_str());
    printf("  dest   %s\n", hex_of(job->dest).c_str());
    ADD_FAILURE() << "seed " << seed << ", round " << round << ": saved as "
                  << static_cast<int>(saved) << ", loaded " << loaded << ", expected "
                  << as_loaded(*job);
  }
  printf("round trip: %d of 120 random jobs the file could not hold\n", cannot_hold);
}
}  // namespace
