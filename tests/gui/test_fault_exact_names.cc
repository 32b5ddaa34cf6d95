// Names from other systems that end in a dot or a blank, each beside its twin without it (as
// a Linux disk can hold them): every file is read from and written to its own name, never its
// twin's.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class ExactNames : public FaultFixture {
 protected:
  // The form in which the test's own calls reach exactly the names in a path.
  static std::string literal(const std::string& path) { return "\\\\?\\" + path; }
};

TEST_F(ExactNames, TwinsEndingInADotOrABlankAreEachCopiedUnderTheirOwnName) {
  const std::string source = folder("source");
  const std::string target = folder("dest");
  const std::map<std::string, std::string> twins = {
      {"a.", "file a with a dot"},   {"a", "file a"},
      {"b ", "file b with a blank"}, {"b", "file b"},
      {"dir.\\g.txt", "g in dir."},  {"dir\\g.txt", "g in dir, the folder without a dot"}};
  ASSERT_TRUE(file_tree::make_folder(literal(source + "\\dir.")));
  ASSERT_TRUE(file_tree::make_folder(source + "\\dir"));
  for (const auto& [name, bytes] : twins)
    ASSERT_TRUE(file_tree::write_file(literal(source + "\\" + name), bytes)) << name;
  ASSERT_TRUE(set_up_job({source}, target));
  // From here on the checks, the invariant's included, name every file in its literal form.
  root = literal(root);
  sources = {literal(source)};
  dest = literal(target);
  take_snapshot();

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices[0];
  EXPECT_EQ(file_tree::files_below(dest), file_tree::files_below(sources[0]));
  for (const auto& [name, bytes] : twins) {
    std::string copied;
    EXPECT_TRUE(file_tree::read_file(dest + "\\" + name, copied)) << name;
    EXPECT_EQ(copied, bytes) << "the copy of \"" << name << "\"";
  }
  check_invariant();
}

}  // namespace
