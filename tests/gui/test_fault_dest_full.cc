// A destination that fills up in the middle of a file: a 1 MiB tmpfs mounted over the
// destination folder (possible only where this test may mount; skipped elsewhere, where the
// engine's own write-failure tests hold the behaviour). The file that does not fit is dropped
// with the write-error notice (none when notices are off), the ones that fit are copied.
#include <gtest/gtest.h>

#include <windows.h>

#include "res/texts.h"
#include "tests/gui/fault_fixture.h"
#include "tests/gui/file_tree.h"

namespace {
constexpr ULONGLONG small_size = 1024 * 1024;

// Under Wine: the Unix name of a Windows path.
std::string unix_name(const std::string& path) {
  using unix_name_function = char*(CDECL*)(const WCHAR*);
  auto convert = reinterpret_cast<unix_name_function>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH];
  if (!convert || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return {};
  char* name = convert(wide);
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

ULONGLONG total_space(const std::string& folder) {
  ULARGE_INTEGER free_bytes{}, total{}, total_free{};
  GetDiskFreeSpaceExA((folder + "\\").c_str(), &free_bytes, &total, &total_free);
  return total.QuadPart;
}

// Runs a Unix program; Wine does not follow it to its end, so the caller waits for its effect.
void run_unix(std::string command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

class FullDestination : public FaultFixture, public testing::WithParamInterface<bool> {
 protected:
  bool mount_small(const std::string& folder) {
    unix_folder_ = unix_name(folder);
    if (unix_folder_.empty()) return false;
    run_unix("Z:\\bin\\mount -t tmpfs -o size=1m tmpfs \"" + unix_folder_ + "\"");
    mounted_ = driver::wait_until([&] { return total_space(folder) <= small_size; });
    return mounted_;
  }
  void TearDown() override {
    if (mounted_) {
      const std::string folder = dest;
      run_unix("Z:\\bin\\umount -l \"" + unix_folder_ + "\"");  // lazy: Wine may still watch it
      driver::wait_until([&] { return total_space(folder) > small_size; });
    }
    FaultFixture::TearDown();
  }
  std::string unix_folder_;
  bool mounted_ = false;
};

TEST_P(FullDestination, TheFileThatDoesNotFitIsDroppedAndTheOthersCopied) {
  const bool with_notices = GetParam();
  const std::string source = folder("source");
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 300 * 1024));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\big.bin", 3 * 1024 * 1024));
  ASSERT_NO_FATAL_FAILURE(make_file(source + "\\c.bin", 200 * 1024));
  const std::string target = folder("dest");
  dest = target;
  if (!mount_small(target)) GTEST_SKIP() << "no small file system can be mounted here";
  ASSERT_TRUE(set_up_job({source}, target));
  ASSERT_TRUE(with_notices || tick_dont_notify());

  ASSERT_TRUE(run_job_to_end());

  if (with_notices) {
    EXPECT_EQ(notices, std::vector<std::string>{notice(TEXT_WRITE_ERROR, target + "\\big.bin")});
  } else {
    EXPECT_TRUE(notices.empty()) << notices[0];
  }
  EXPECT_EQ(file_tree::files_below(target), (std::vector<std::string>{"a.bin", "c.bin"}));
  check_invariant();
}

INSTANTIATE_TEST_SUITE_P(Notices, FullDestination, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "WithNotices" : "NoNotices");
                         });

}  // namespace
