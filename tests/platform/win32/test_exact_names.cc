// The Windows backend reaches exactly the names it is given (a name may end in a dot or a
// blank) and tells a folder it cannot list from an empty one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/win32/exact_path.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"

namespace {
struct form_case {
  const char* name;
  const char* path;
  const char* expected;  // null: the path is handed on as it is
};

class ExactPath : public testing::TestWithParam<form_case> {};

TEST_P(ExactPath, GivesTheFormThatReachesEveryNameAsItIs) {
  char buffer[windows_path_size];
  const char* path = GetParam().path;
  const char* form = exact_path(path, buffer, sizeof buffer);
  if (!GetParam().expected)
    EXPECT_EQ(form, path) << GetParam().name;
  else
    EXPECT_STREQ(form, GetParam().expected) << GetParam().name;
}

// "乗" is 81 5C: its second byte is a backslash's.
INSTANTIATE_TEST_SUITE_P(
    Paths, ExactPath,
    testing::Values(
        form_case{"ordinary names", "C:\\data\\a.txt", nullptr},
        form_case{"file ending in a dot", "C:\\data\\a.", "\\\\?\\C:\\data\\a."},
        form_case{"file ending in a blank", "C:\\data\\b ", "\\\\?\\C:\\data\\b "},
        form_case{"folder ending in a dot", "C:\\d.\\g.txt", "\\\\?\\C:\\d.\\g.txt"},
        form_case{"listing pattern", "C:\\d.\\*.*", "\\\\?\\C:\\d.\\*.*"},
        form_case{"final backslash kept", "C:\\s\\d.\\", "\\\\?\\C:\\s\\d.\\"},
        form_case{"three dots are a name", "C:\\...\\x", "\\\\?\\C:\\...\\x"},
        form_case{"network path", "\\\\srv\\share\\x.", "\\\\?\\UNC\\srv\\share\\x."},
        form_case{"server and share are not parts", "\\\\srv.\\share \\x", nullptr},
        form_case{"relative path", "d.\\a.", nullptr},
        form_case{"drive-relative path", "C:a.", nullptr},
        form_case{"path from the current drive's root", "\\d.\\a", nullptr},
        form_case{"already literal", "\\\\?\\C:\\a.", nullptr},
        form_case{"slashes and runs of separators", "C:/d.//a\\\\b", "\\\\?\\C:\\d.\\a\\b"},
        form_case{"dot parts resolved", "C:\\x\\.\\..\\..\\y.", "\\\\?\\C:\\y."},
        form_case{"back to the root", "C:\\a.\\..", "\\\\?\\C:\\"},
        form_case{"dot after a backslash byte", "C:\\\x81\x5C.\\g", "\\\\?\\C:\\\x81\x5C.\\g"},
        form_case{"backslash byte is no separator", "C:\\x.\\\x81\x5C\\\\y",
                  "\\\\?\\C:\\x.\\\x81\x5C\\y"},
        form_case{"backslash byte before dot dot", "C:\\\x81\x5C\\..\\y.", "\\\\?\\C:\\y."}),
    case_name<form_case>);

TEST(ExactPath, FailsWhenTheLiteralFormPassesTheAnsiLimit) {
  char buffer[windows_path_size];
  const std::string longest = "C:\\" + std::string(251, 'p') + ".";  // 255: the engine's limit
  EXPECT_STREQ(exact_path(longest.c_str(), buffer, sizeof buffer), ("\\\\?\\" + longest).c_str());
  EXPECT_EQ(exact_path((longest + ".").c_str(), buffer, sizeof buffer), nullptr);
  const std::string network = "\\\\s\\h\\" + std::string(248, 'p') + ".";  // 255 too
  EXPECT_EQ(exact_path(network.c_str(), buffer, sizeof buffer), nullptr);
}

class ListingUnderWindows : public testing::Test {
 protected:
  void SetUp() override { folder = scratch::engine_path(scratch::make_test_folder()); }
  void TearDown() override { scratch::remove_tree(folder); }

  // The names a listing yields besides "." and "..", sorted; the listing must open.
  static std::vector<std::string> names_in(const std::string& pattern) {
    std::vector<std::string> names;
    folder_listing* listing = folder_listing_open(pattern.c_str());
    EXPECT_NE(listing, nullptr) << pattern;
    if (!listing) return names;
    folder_entry entry;
    while (folder_listing_next(listing, &entry))
      if (std::string(entry.name) != "." && std::string(entry.name) != "..")
        names.push_back(entry.name);
    folder_listing_close(listing);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder;
};

TEST_F(ListingUnderWindows, AFolderNothingMatchesInIsAnEmptyListingNotAFailure) {
  // The host says "no file found" here, as it does for an empty drive root.
  EXPECT_EQ(names_in(folder + "\\*.none"), std::vector<std::string>{});
  EXPECT_EQ(folder_listing_open((folder + "\\missing\\*.*").c_str()), nullptr);
  EXPECT_EQ(folder_listing_open((folder + "\\missing\\*.none").c_str()), nullptr);
}

TEST_F(ListingUnderWindows, AWildcardInAFolderPartListsNoOtherFolder) {
  scratch::make_folders(folder, "aXb");
  scratch::write_file(folder + "\\aXb\\w.txt", "w");
  ASSERT_EQ(names_in(folder + "\\aXb\\*.*"), std::vector<std::string>{"w.txt"});
  EXPECT_EQ(folder_listing_open((folder + "\\a?b\\*.*").c_str()), nullptr);
  EXPECT_EQ(folder_listing_open((folder + "\\a*\\*.*").c_str()), nullptr);
}

// Made by the backend itself, each beside its twin without the final dot or blank.
TEST_F(ListingUnderWindows, NamesEndingInADotOrABlankAreListedReadAndDeletedAsThemselves) {
  const std::vector<std::string> names = {"a.", "a", "b ", "b", "d.\\g.txt", "d\\g.txt"};
  ASSERT_NE(make_folder((folder + "\\d.\\").c_str()), make_folder_result::failed);
  ASSERT_NE(make_folder((folder + "\\d\\").c_str()), make_folder_result::failed);
  for (const std::string& name : names) {
    bool taken = false;
    FILE* file = create_new_file_stream((folder + "\\~0000").c_str(), &taken);
    ASSERT_NE(file, nullptr) << name;
    fputs(name.c_str(), file);
    ASSERT_EQ(fflush(file), 0);
    ASSERT_TRUE(close_into_place(file, (folder + "\\~0000").c_str(),
                                 (folder + "\\" + name).c_str(), false, &taken))
        << name;
  }
  EXPECT_EQ(names_in(folder + "\\d.\\*.*"), std::vector<std::string>{"g.txt"});
  for (const std::string& name : names) {
    FILE* file = open_file_stream((folder + "\\" + name).c_str(), "rb");
    ASSERT_NE(file, nullptr) << name;
    char text[16] = "";
    fgets(text, sizeof text, file);
    fclose(file);
    EXPECT_EQ(std::string(text), name) << "the contents of " << name;
  }
  file_identity with_dot{}, without{};
  const identity_scope scope = identity_scope::across_volumes;
  ASSERT_TRUE(get_file_identity((folder + "\\d.\\").c_str(), scope, &with_dot));
  ASSERT_TRUE(get_file_identity((folder + "\\d\\").c_str(), scope, &without));
  EXPECT_NE(with_dot.index, without.index);
  EXPECT_EQ(delete_file((folder + "\\a.").c_str()), 0);
  EXPECT_EQ(delete_file((folder + "\\b ").c_str()), 0);
  EXPECT_EQ(names_in(folder + "\\*.*"), (std::vector<std::string>{"a", "b", "d", "d."}));
}

// Windows names have no letter case: a rename that may not replace refuses a name in another
// case as taken, which a late exists test relies on.
TEST_F(ListingUnderWindows, ANameInAnotherCaseIsTaken) {
  scratch::write_file(folder + "\\Kept.txt", "kept");
  bool taken = true;
  FILE* file = create_new_file_stream((folder + "\\~fx00").c_str(), &taken);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(fflush(file), 0);
  EXPECT_FALSE(close_into_place(file, (folder + "\\~fx00").c_str(),
                                (folder + "\\KEPT.TXT").c_str(), false, &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(names_in(folder + "\\*.*"), (std::vector<std::string>{"Kept.txt", "~fx00"}));
}
}  // namespace
