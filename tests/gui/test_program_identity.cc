// What Windows reads from ferrix.exe before running it, read back through the system's own
// calls. The title "Ferrix v0.1" is made of the same two texts as the product and version.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/gui/ferrix_driver.h"

namespace {
std::string manifest_of(const std::string& exe) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "(cannot open " + exe + ")";
  std::string text = "(no manifest with id 1)";
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    text.assign(bytes, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

TEST(ProgramIdentity, TheManifestRunsAsInvokerOnVistaTo11AndKeepsTheClassicControls) {
  const std::string manifest = manifest_of(driver::ferrix_exe_path());
  for (const char* expected :
       {"level=\"asInvoker\"", "uiAccess=\"false\"", "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
    EXPECT_NE(manifest.find(expected), std::string::npos) << expected << " missing:\n" << manifest;
  // A dependent assembly (the newer common controls) would change how the controls look.
  EXPECT_EQ(manifest.find("<dependency"), std::string::npos) << manifest;
}

TEST(ProgramIdentity, TheVersionResourceNamesFerrix01InChineseCodePage936) {
  const std::string exe = driver::ferrix_exe_path();
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored) + 1);
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  static const char missing[64] = "(missing)";  // room for any structure read from it
  auto value = [&](const std::string& key) -> const void* {
    void* found = nullptr;
    UINT length = 0;
    return VerQueryValueA(info.data(), key.c_str(), &found, &length) ? found : missing;
  };
  const auto* translation = static_cast<const WORD*>(value("\\VarFileInfo\\Translation"));
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 936);
  EXPECT_EQ(static_cast<const VS_FIXEDFILEINFO*>(value("\\"))->dwFileVersionMS, 0x00000001u);
  const std::vector<std::pair<const char*, std::string>> strings = {
      {"ProductName", "Ferrix"},
      {"ProductVersion", "0.1"},
      {"FileVersion", "0.1"},
      // 目录对拷工具 in GBK, as the ANSI call hands it out
      {"FileDescription", "\xc4\xbf\xc2\xbc\xb6\xd4\xbf\xbd\xb9\xa4\xbe\xdf"}};
  for (const auto& [name, expected] : strings) {
    const void* text = value(std::string("\\StringFileInfo\\080403a8\\") + name);
    EXPECT_EQ(static_cast<const char*>(text), expected) << name;
  }
}
}  // namespace
