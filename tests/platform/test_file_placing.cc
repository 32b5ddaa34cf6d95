// A finished temporary takes a name that is taken only when told to replace it: otherwise it
// says that the name is taken and stays whole under its temporary name, so that its caller
// can decide late and move it by name.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "tests/support/settings_scratch.h"

namespace {
class FilePlacing : public SettingsScratch {};

TEST_F(FilePlacing, ATakenNameIsRefusedAsTakenUntilTheMoveMayReplaceIt) {
  const std::string temp = path_of("~fx00"), final_name = path_of("final.bin");
  write_raw(final_name, "old");
  bool taken = false;
  FILE* stream = create_new_file_stream(temp.c_str(), &taken);
  ASSERT_NE(stream, nullptr);
  ASSERT_GE(fputs("copy", stream), 0);
  ASSERT_EQ(fflush(stream), 0);

  EXPECT_FALSE(close_into_place(stream, temp.c_str(), final_name.c_str(), false, &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(read_raw(temp), "copy");
  EXPECT_FALSE(move_into_place(temp.c_str(), final_name.c_str(), false, &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(read_raw(final_name), "old");
  ASSERT_TRUE(move_into_place(temp.c_str(), final_name.c_str(), true, &taken));
  EXPECT_EQ(read_raw(final_name), "copy");
  EXPECT_EQ(read_raw(temp), "(missing)");
}
}  // namespace
