// Destination paths of 253 to 255 characters with a folder or a file name ending in a dot: the
// Windows backend must hand such paths over in their longer "\\?\" form, and no temporary name
// may push one past what the ANSI calls take. Natively the same job is an ordinary one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/support/case_name.h"
#include "tests/support/copy_job_fixture.h"

namespace {
struct dotted_case {
  const char* name;
  size_t length;  // of the destination file's path
  bool dotted_folder;
};

class DottedPaths : public CopyJob, public testing::WithParamInterface<dotted_case> {
 protected:
  // Through the seam, which reaches names ending in a dot on every backend.
  static bool write_through_seam(const std::string& path, const std::string& bytes) {
    FILE* file = open_file_stream(path.c_str(), "wb");
    if (!file) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
  }
  static std::string read_through_seam(const std::string& path) {
    FILE* file = open_file_stream(path.c_str(), "rb");
    if (!file) return "(cannot be opened)";
    char bytes[64];
    size_t count = fread(bytes, 1, sizeof bytes, file);
    fclose(file);
    return std::string(bytes, count);
  }
  static std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    // "*", not "*.*": the pattern of a 253-character folder must fit the literal form too.
    folder_listing* listing = folder_listing_open((folder + "\\*").c_str());
    if (!listing) return {"(cannot be listed)"};
    folder_entry entry;
    while (folder_listing_next(listing, &entry))
      if (std::string(entry.name) != "." && std::string(entry.name) != "..")
        names.push_back(entry.name);
    folder_listing_close(listing);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_P(DottedPaths, AreCopiedWithNoTemporaryLeft) {
  const dotted_case& c = GetParam();
  const std::string dest_root = engine("out");
  const std::string file = c.dotted_folder ? "n" : "n.";
  ASSERT_LT(dest_root.size() + 2 + file.size() + 2, c.length) << "scratch folder too long";
  const size_t folder_length = c.length - dest_root.size() - 2 - file.size();
  const std::string folder = std::string(folder_length - 1, 'y') + (c.dotted_folder ? "." : "y");
  const std::string dest = dest_root + "\\" + folder + "\\" + file;
  ASSERT_EQ(dest.size(), c.length);
  ASSERT_NE(make_folder(engine("s").c_str()), make_folder_result::failed);
  ASSERT_NE(make_folder(engine("s\\" + folder).c_str()), make_folder_result::failed);
  ASSERT_TRUE(write_through_seam(engine("s\\" + folder + "\\" + file), c.name));
  set_sources({engine("s")});
  set_dest(dest_root);
  run_job();

  EXPECT_TRUE(error_texts().empty()) << c.name;
  EXPECT_EQ(read_through_seam(dest), c.name);
  EXPECT_EQ(names_in(dest_root), std::vector<std::string>{folder}) << c.name;
  EXPECT_EQ(names_in(dest_root + "\\" + folder), std::vector<std::string>{file}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Lengths, DottedPaths,
                         testing::Values(dotted_case{"dotted folder 253", 253, true},
                                         dotted_case{"dotted folder 254", 254, true},
                                         dotted_case{"dotted folder 255", 255, true},
                                         dotted_case{"dotted file 253", 253, false},
                                         dotted_case{"dotted file 254", 254, false},
                                         dotted_case{"dotted file 255", 255, false}),
                         case_name<dotted_case>);
}  // namespace
