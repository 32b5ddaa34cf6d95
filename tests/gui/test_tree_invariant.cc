// The fault cases' checker itself must see what it is there to see: a partial copy, a left-over
// temporary, a stray file, and a changed, removed or added file outside the destination.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/gui/file_tree.h"
#include "tests/gui/tree_invariant.h"

namespace {

class TreeInvariant : public testing::Test {
 protected:
  void SetUp() override {
    root_ = file_tree::make_scratch_folder("tree-invariant");
    source_ = root_ + "\\source";
    dest_ = root_ + "\\dest";
    ASSERT_TRUE(file_tree::make_folder(source_));
    ASSERT_TRUE(file_tree::make_folder(source_ + "\\sub"));
    ASSERT_TRUE(file_tree::make_folder(dest_));
    ASSERT_TRUE(file_tree::make_folder(dest_ + "\\sub"));
    for (const char* name : {"\\a.bin", "\\sub\\b.bin"}) {
      ASSERT_TRUE(file_tree::write_file(source_ + name, file_tree::pattern_bytes(70000, 3)));
      ASSERT_TRUE(file_tree::write_file(dest_ + name, file_tree::pattern_bytes(70000, 3)));
    }
  }
  void TearDown() override { file_tree::remove_tree(root_); }

  std::string root_, source_, dest_;
};

TEST_F(TreeInvariant, WholeCopiesPassAndAreCounted) {
  tree_invariant::tally counts;
  EXPECT_TRUE(tree_invariant::destination_holds_only_copies({source_}, dest_, &counts));
  EXPECT_EQ(counts.files_checked, 2);
  EXPECT_EQ(counts.bytes_compared, 2u * 70000u);
}

TEST_F(TreeInvariant, APartialCopyATemporaryOrAStrayFails) {
  const struct {
    const char* name;
    std::string bytes;
  } faults[] = {{"\\a.bin", file_tree::pattern_bytes(69999, 3)},  // one byte short
                {"\\a.bin", file_tree::pattern_bytes(70000, 4)},  // same size, other bytes
                {"\\sub\\~0000", "temporary"},
                {"\\stray.bin", "no source has it"}};
  for (const auto& fault : faults) {
    const std::string path = dest_ + fault.name;
    std::string kept;
    const bool existed = file_tree::read_file(path, kept);
    ASSERT_TRUE(file_tree::write_file(path, fault.bytes));
    EXPECT_FALSE(tree_invariant::destination_holds_only_copies({source_}, dest_)) << fault.name;
    if (existed) {
      ASSERT_TRUE(file_tree::write_file(path, kept));
    } else {
      DeleteFileA(path.c_str());
    }
  }
  EXPECT_TRUE(tree_invariant::destination_holds_only_copies({source_}, dest_));
}

TEST_F(TreeInvariant, ChangesOutsideTheDestinationFailAndInsideDoNot) {
  const tree_invariant::tree_state before = tree_invariant::snapshot({root_});
  ASSERT_TRUE(file_tree::write_file(dest_ + "\\new.bin", "inside"));
  EXPECT_TRUE(tree_invariant::unchanged_since(before, {root_}, dest_));

  ASSERT_TRUE(file_tree::write_file(source_ + "\\a.bin", file_tree::pattern_bytes(70000, 9)));
  EXPECT_FALSE(tree_invariant::unchanged_since(before, {root_}, dest_)) << "changed";
  ASSERT_TRUE(file_tree::write_file(source_ + "\\a.bin", file_tree::pattern_bytes(70000, 3)));
  ASSERT_TRUE(file_tree::write_file(source_ + "\\added.bin", "x"));
  EXPECT_FALSE(tree_invariant::unchanged_since(before, {root_}, dest_)) << "added";
  DeleteFileA((source_ + "\\added.bin").c_str());
  DeleteFileA((source_ + "\\sub\\b.bin").c_str());
  EXPECT_FALSE(tree_invariant::unchanged_since(before, {root_}, dest_)) << "removed";
}

}  // namespace
