// Names at the edges: destination paths of exactly 255 characters (copied) and of 256 (refused
// with the write-error notice), GBK names including ones whose last byte is a backslash's, and
// names outside the code page, which the ANSI listing cannot name.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {

class Names : public FaultFixture {};

// A relative path (folders of at most 100 characters) that makes base + "\" + it this long.
std::string relative_path_for(const std::string& base, size_t total, const char* file_name) {
  size_t left = total - base.size() - 1 - strlen(file_name);
  std::string relative;
  while (left > 0) {
    size_t folder = left > 101 ? 100 : left - 1;  // each folder takes its backslash too
    if (left - (folder + 1) == 1) --folder;        // never leave a lone character over
    relative += std::string(folder, 'p') + "\\";
    left -= folder + 1;
  }
  return relative + file_name;
}

void make_folders_for(const std::string& file_path) {
  for (size_t at = file_path.find('\\', 3); at != std::string::npos;
       at = file_path.find('\\', at + 1))
    file_tree::make_folder(file_path.substr(0, at));
}

TEST_F(Names, DestinationPathsOfTwoHundredFiftyFiveFitAndLongerOnesAreRefused) {
  const std::string source = folder("s");
  const std::string target = folder("dest-longer-than-its-source");
  const std::string fits = relative_path_for(target, 255, "fits.bin");
  const std::string too_long = relative_path_for(target, 256, "long.bin");
  ASSERT_EQ((target + "\\" + fits).size(), 255u);
  ASSERT_EQ((target + "\\" + too_long).size(), 256u);
  for (const std::string& relative : {fits, too_long}) {
    make_folders_for(source + "\\" + relative);
    ASSERT_NO_FATAL_FAILURE(make_file(source + "\\" + relative, 3000));
  }
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\" + too_long)});
  EXPECT_EQ(file_tree::files_below(target), std::vector<std::string>{fits});
  check_invariant();
}

TEST_F(Names, GbkNamesIncludingOnesEndingInABackslashByteAreCopiedWhole) {
  // "乗" is 81 5C: its second byte is a backslash's.
  const std::string source = folder("来源乗");
  const std::string target = folder("目标乗");
  ASSERT_TRUE(file_tree::make_folder(source + "\\子目录乗"));
  ASSERT_TRUE(file_tree::make_folder(source + "\\子目录乗\\深乗"));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\文件乗", 4000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\普通.txt", 5000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\子目录乗\\表.bin", 6000));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\子目录乗\\深乗\\嘰抃乗", 7000));
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  EXPECT_TRUE(notices.empty()) << notices[0];
  EXPECT_EQ(file_tree::files_below(target), file_tree::files_below(source));
  check_invariant();
}

// Made through the wide call: Wine keeps such a name as UTF-8 on the Unix side, just as a
// Unix program would have made it, and the ANSI listing can only show it with '?' for what
// GBK has no code for.
TEST_F(Names, NamesOutsideTheCodePageAreSkippedWithANoticeAndTheRestCopied) {
  const std::string source = folder("source");
  const std::string target = folder("dest");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\plain.bin", 4000));
  std::wstring wide_source(source.size() + 1, L'\0');
  wide_source.resize(MultiByteToWideChar(CP_ACP, 0, source.c_str(), -1, wide_source.data(),
                                         static_cast<int>(wide_source.size())) - 1);
  const std::wstring foreign = wide_source + L"\\\xD55C\xAE00-\x0E01.bin";  // Hangul, Thai
  HANDLE file = CreateFileW(foreign.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "not in GBK", 10, &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(set_up_job({source}, target));

  ASSERT_TRUE(run_job_to_end());

  // The listing shows '?' for each character GBK has no code for; no file has that name, so
  // it cannot be opened: the user is told, and the rest is copied.
  EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_READ_ERROR, source + "\\\?\?-?.bin")});
  EXPECT_EQ(file_tree::files_below(target), std::vector<std::string>{"plain.bin"});
  check_invariant();
  DeleteFileW(foreign.c_str());  // the ANSI clean-up cannot name it
}

}  // namespace
