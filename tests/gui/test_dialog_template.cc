// The compiled resources inside ferrix.exe: dialog 101 control by control, the two bitmaps
// and the icon, read as Windows itself reads them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/control_table.h"
#include "tests/gui/ferrix_driver.h"

namespace {

// A read position inside a DLGTEMPLATEEX.
struct template_reader {
  const BYTE* at;
  WORD word() {
    WORD value;
    memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
  }
  DWORD dword() {
    DWORD value;
    memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
  }
  std::wstring wide_string() {
    std::wstring text;
    for (WORD c = word(); c != 0; c = word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A name or an ordinal; an ordinal comes back as "#number".
  std::wstring name_or_ordinal() {
    WORD first;
    memcpy(&first, at, sizeof first);
    if (first == 0xFFFF) {
      word();
      return L"#" + std::to_wstring(word());
    }
    return wide_string();
  }
  void align_to_dword(const BYTE* base) {
    while ((at - base) % 4 != 0) ++at;
  }
};

std::string gbk(const std::wstring& text) {
  char buffer[1024] = "";
  WideCharToMultiByte(936, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

std::string class_name(const std::wstring& name) {
  static const char* const predefined[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR",
                                           "COMBOBOX"};
  if (name.size() > 1 && name[0] == L'#') {
    const int ordinal = std::stoi(name.substr(1));
    if (ordinal >= 0x80 && ordinal <= 0x85) return predefined[ordinal - 0x80];
  }
  std::string upper = gbk(name);
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string upper(const char* text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return result;
}

struct compiled_control {
  DWORD style;
  DWORD ex_style;
  int x, y, width, height;
  DWORD id;
  std::string class_name;
  std::wstring title;
};

struct compiled_dialog {
  DWORD style;
  DWORD ex_style;
  int x, y, width, height;
  std::wstring menu, window_class, title;
  WORD point_size;
  std::wstring face;
  std::vector<compiled_control> controls;
};

class CompiledResources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    module = LoadLibraryExA(driver::ferrix_exe_path().c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module != nullptr) read_dialog();
  }
  static void TearDownTestSuite() {
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
  }

  static const BYTE* resource(LPCSTR type, int id, DWORD* size = nullptr) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  }

  static void read_dialog() {
    const BYTE* base = resource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, IDD_MAIN_DIALOG);
    if (base == nullptr || parsed) return;
    template_reader in{base};
    if (in.word() != 1 || in.word() != 0xFFFF) return;  // not a DLGTEMPLATEEX
    in.dword();                                          // help id
    dialog.ex_style = in.dword();
    dialog.style = in.dword();
    const int count = in.word();
    dialog.x = static_cast<short>(in.word());
    dialog.y = static_cast<short>(in.word());
    dialog.width = static_cast<short>(in.word());
    dialog.height = static_cast<short>(in.word());
    dialog.menu = in.name_or_ordinal();
    dialog.window_class = in.name_or_ordinal();
    dialog.title = in.wide_string();
    dialog.point_size = in.word();
    in.word();   // weight
    in.word();   // italic and character set
    dialog.face = in.wide_string();
    for (int i = 0; i < count; ++i) {
      in.align_to_dword(base);
      compiled_control control;
      in.dword();  // help id
      control.ex_style = in.dword();
      control.style = in.dword();
      control.x = static_cast<short>(in.word());
      control.y = static_cast<short>(in.word());
      control.width = static_cast<short>(in.word());
      control.height = static_cast<short>(in.word());
      control.id = in.dword();
      control.class_name = class_name(in.name_or_ordinal());
      control.title = in.name_or_ordinal();
      in.at += in.word();  // creation data
      dialog.controls.push_back(control);
    }
    parsed = true;
  }

  static inline HMODULE module = nullptr;
  static inline compiled_dialog dialog;
  static inline bool parsed = false;
};

TEST_F(CompiledResources, DialogHasItsTitleFontSizeAndStyles) {
  ASSERT_TRUE(parsed) << "dialog 101 not found or not a DLGTEMPLATEEX in "
                      << driver::ferrix_exe_path();
  EXPECT_EQ(gbk(dialog.title), TEXT_TITLE);
  EXPECT_EQ(dialog.point_size, 9);
  EXPECT_EQ(gbk(dialog.face), TEXT_DIALOG_FONT);
  EXPECT_EQ(dialog.width, gui_table::dialog_width);
  EXPECT_EQ(dialog.height, gui_table::dialog_height);
  EXPECT_EQ(dialog.style, gui_table::dialog_style) << std::hex << dialog.style;
  EXPECT_EQ(dialog.ex_style, 0u);
  EXPECT_TRUE(dialog.menu.empty()) << "no menu";
  EXPECT_TRUE(dialog.window_class.empty()) << "the dialog manager's own class";
  EXPECT_EQ(dialog.controls.size(), static_cast<size_t>(gui_table::control_count));
}

class CompiledControl : public CompiledResources, public testing::WithParamInterface<int> {};

TEST_P(CompiledControl, MatchesTheTable) {
  ASSERT_TRUE(parsed);
  ASSERT_LT(GetParam(), static_cast<int>(dialog.controls.size()));
  const compiled_control& actual = dialog.controls[GetParam()];
  const gui_table::expected_control& expected = gui_table::controls[GetParam()];
  EXPECT_EQ(actual.id & 0xFFFF, static_cast<DWORD>(expected.id));
  EXPECT_EQ(actual.class_name, upper(expected.class_name));
  if (expected.bitmap != 0)
    EXPECT_EQ(actual.title, L"#" + std::to_wstring(expected.bitmap)) << "the picture it shows";
  else
    EXPECT_EQ(gbk(actual.title), expected.text);
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.width, expected.width);
  EXPECT_EQ(actual.height, expected.height);
  EXPECT_EQ(actual.style, expected.style) << std::hex << "actual " << actual.style
                                          << ", expected " << expected.style;
  EXPECT_EQ(actual.ex_style, 0u);
  if (actual.class_name == "BUTTON") {
    EXPECT_NE(actual.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON))
        << "no push button is the default one";
  }
}

INSTANTIATE_TEST_SUITE_P(Dialog101, CompiledControl, gui_table::every_control(),
                         gui_table::control_case_name);

struct bitmap_case {
  const char* name;
  int id;
  int width, height, bits;
};

class CompiledBitmap : public CompiledResources,
                       public testing::WithParamInterface<bitmap_case> {};

TEST_P(CompiledBitmap, HasItsSizeAndDepth) {
  const BYTE* data = resource(MAKEINTRESOURCEA(2) /* RT_BITMAP */, GetParam().id);
  ASSERT_NE(data, nullptr) << GetParam().name;
  BITMAPINFOHEADER header;
  memcpy(&header, data, sizeof header);
  EXPECT_EQ(header.biWidth, GetParam().width) << GetParam().name;
  EXPECT_EQ(header.biHeight, GetParam().height) << GetParam().name;
  EXPECT_EQ(header.biBitCount, GetParam().bits) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Pictures, CompiledBitmap,
                         testing::Values(bitmap_case{"banner", IDB_BANNER, 153, 33, 8},
                                         bitmap_case{"unlimited", IDB_UNLIMITED, 80, 29, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

// Colour of one pixel of an 8-bit bottom-up bitmap resource.
RGBQUAD pixel(const BYTE* data, int x, int y) {
  BITMAPINFOHEADER header;
  memcpy(&header, data, sizeof header);
  const int colours = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 256;
  const BYTE* palette = data + header.biSize;
  const BYTE* bits = palette + colours * sizeof(RGBQUAD);
  const int stride = (header.biWidth + 3) & ~3;
  const BYTE index = bits[(header.biHeight - 1 - y) * stride + x];
  RGBQUAD colour;
  memcpy(&colour, palette + index * sizeof(RGBQUAD), sizeof colour);
  return colour;
}

TEST_F(CompiledResources, UnlimitedPictureIsBlackWritingOnAWhiteBandOverGreen) {
  const BYTE* data = resource(MAKEINTRESOURCEA(2), IDB_UNLIMITED);
  ASSERT_NE(data, nullptr);
  int green = 0, white_in_band = 0, black = 0, band_pixels = 0, outside_pixels = 0;
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 80; ++x) {
      const RGBQUAD c = pixel(data, x, y);
      const bool in_band = y >= 9 && y <= 19;
      if (in_band) {
        ++band_pixels;
        if (c.rgbRed > 240 && c.rgbGreen > 240 && c.rgbBlue > 240) ++white_in_band;
        if (c.rgbRed < 40 && c.rgbGreen < 40 && c.rgbBlue < 40) ++black;
      } else if (y <= 4 || y >= 24) {
        ++outside_pixels;
        if (c.rgbGreen > c.rgbRed + 30 && c.rgbGreen > c.rgbBlue + 30) ++green;
      }
    }
  EXPECT_GT(white_in_band, band_pixels / 2) << "a white band across the middle";
  EXPECT_GT(black, 20) << "black writing on the band";
  EXPECT_EQ(green, outside_pixels) << "green above and below the band";
}

TEST_F(CompiledResources, IconIsOne32By32ImageOf16Colours) {
  DWORD size = 0;
  const BYTE* group = resource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDI_FERRIX, &size);
  ASSERT_NE(group, nullptr);
  ASSERT_GE(size, 6u + 14u);
  WORD count;
  memcpy(&count, group + 4, sizeof count);
  EXPECT_EQ(count, 1);
  const BYTE* entry = group + 6;
  EXPECT_EQ(entry[0], 32) << "width";
  EXPECT_EQ(entry[1], 32) << "height";
  EXPECT_EQ(entry[2], 16) << "colours";
  WORD icon_id;
  memcpy(&icon_id, entry + 12, sizeof icon_id);
  const BYTE* image = resource(MAKEINTRESOURCEA(3) /* RT_ICON */, icon_id);
  ASSERT_NE(image, nullptr);
  BITMAPINFOHEADER header;
  memcpy(&header, image, sizeof header);
  EXPECT_EQ(header.biBitCount, 4) << "16 colours are 4 bits a pixel";
}

}  // namespace
