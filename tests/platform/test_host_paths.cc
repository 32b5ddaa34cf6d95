// Paths reach the host whole or not at all, on every backend: a double-byte character whose
// second byte is 0x5C stays one name, and a path longer than the host takes fails rather than
// being cut to a shorter one, which would name another file.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/support/settings_scratch.h"

namespace {

class HostPaths : public SettingsScratch {
 protected:
  // The names directly in the scratch folder.
  std::set<std::string> names_in_folder() const {
    std::set<std::string> names;
    folder_listing* listing = folder_listing_open(path_of("*.*").c_str());
    if (!listing) return names;
    folder_entry entry;
    while (folder_listing_next(listing, &entry)) {
      const std::string name = entry.name;
      if (name != "." && name != "..") names.insert(name);
    }
    folder_listing_close(listing);
    return names;
  }
};

TEST_F(HostPaths, ProfileFileInAFolderWhoseNameEndsInByte5CIsReadWhereItWasWritten) {
  const std::string folder = path_of("\x81\x5C");  // "乗": its second byte is the backslash
  ASSERT_EQ(make_folder(folder.c_str()), make_folder_result::made);
  const std::string file = folder + "\\job.ini";
  ASSERT_TRUE(profile_write_text("Ferrix", "key", "value", file.c_str()));
  char value[16] = "";
  profile_read_text("Ferrix", "key", value, sizeof value, file.c_str());
  EXPECT_STREQ(value, "value");
  EXPECT_NE(read_raw(file).find("key=value"), std::string::npos);  // through the files seam
  EXPECT_EQ(names_in_folder(), (std::set<std::string>{"\x81\x5C"}));
}

struct long_path_case {
  const char* name;
  std::function<bool(const char* path)> succeeded;
};

class HostPathsTooLong : public HostPaths, public testing::WithParamInterface<long_path_case> {};

// A path past every host's limit whose first 4095 bytes end inside the file's name: cut there,
// it would name a file with a shorter name in the scratch folder.
TEST_P(HostPathsTooLong, FailOrReachTheWholeNameButNeverAShorterOne) {
  ASSERT_EQ(make_folder(path_of("b").c_str()), make_folder_result::made);
  std::string path = path_of("");
  while (path.size() < 3990) path += "b\\..\\";
  const std::string name(200, 'x');
  path += name;
  ASSERT_GT(path.size(), 4096u);

  const bool succeeded = GetParam().succeeded(path.c_str());
  const std::set<std::string> expected =
      succeeded ? std::set<std::string>{"b", name} : std::set<std::string>{"b"};
  EXPECT_EQ(names_in_folder(), expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    EverySeamCall, HostPathsTooLong,
    testing::Values(
        long_path_case{"open for writing",
                       [](const char* path) {
                         FILE* file = open_file_stream(path, "wb");
                         return file && fclose(file) == 0;
                       }},
        long_path_case{"create a new file",
                       [](const char* path) {
                         bool taken = true;
                         FILE* file = create_new_file_stream(path, &taken);
                         EXPECT_FALSE(taken);
                         return file && fclose(file) == 0;
                       }},
        long_path_case{"make a folder",
                       [](const char* path) {
                         return make_folder(path) == make_folder_result::made;
                       }},
        long_path_case{"write a profile value",
                       [](const char* path) {
                         return profile_write_text("Ferrix", "key", "v", path);
                       }}),
    case_name<long_path_case>);

}  // namespace
