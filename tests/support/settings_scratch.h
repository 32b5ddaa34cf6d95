// Scratch files for the settings and profile tests: a fresh folder per test, removed with
// everything in it afterwards. Paths are joined with backslashes, as Ferrix's own are; the
// files go through the files seam, so they land where the code under test looks.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/files.h"

class SettingsScratch : public testing::Test {
 protected:
  // Named at construction, so that derived fixtures may name their files in initialisers.
  SettingsScratch() {
    std::random_device entropy;
    folder_ = testing::TempDir() + "ferrix-settings-" + std::to_string(entropy()) +
              std::to_string(entropy());
  }
  void SetUp() override {
    ASSERT_EQ(make_folder(folder_.c_str()), make_folder_result::made) << folder_;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string path_of(const std::string& name) const { return folder_ + "\\" + name; }

  static void write_raw(const std::string& path, const std::string& bytes) {
    FILE* file = open_file_stream(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size()) << path;
    ASSERT_EQ(fclose(file), 0) << path;
  }

  static std::string read_raw(const std::string& path) {
    std::string bytes;
    FILE* file = open_file_stream(path.c_str(), "rb");
    if (!file) return "(missing)";
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    fclose(file);
    return bytes;
  }

  std::string folder_;
};
