// The dialog as it opens: every control's class, id, text, styles, place and state, and the
// dialog window itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "tests/gui/control_table.h"
#include "tests/gui/ferrix_driver.h"

namespace {

BOOL CALLBACK collect_child(HWND child, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
  return TRUE;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

// One program for the whole suite: these checks only read.
class OpenDialog : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    children.clear();
    if (driver::launch_ferrix(ferrix)) {
      dialog = ferrix.dialog;
      EnumChildWindows(dialog, collect_child, reinterpret_cast<LPARAM>(&children));
      units = driver::dialog_font_base_units();
      resources = LoadLibraryExA(driver::ferrix_exe_path().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
      // The speed label shows its number once the dialog is up.
      driver::wait_until([] { return driver::control_text(dialog, IDC_SPEED_TEXT) != ""; });
    }
  }
  static void TearDownTestSuite() {
    driver::close_ferrix(ferrix);
    if (resources != nullptr) FreeLibrary(resources);
  }

  void SetUp() override { ASSERT_NE(dialog, nullptr) << "no dialog from ferrix.exe"; }

  static int x_pixels(int dialog_units) { return MulDiv(dialog_units, units.x, 4); }
  static int y_pixels(int dialog_units) { return MulDiv(dialog_units, units.y, 8); }

  static inline driver::ferrix_process ferrix;
  static inline HWND dialog = nullptr;
  static inline std::vector<HWND> children;
  static inline driver::base_units units{};
  static inline HMODULE resources = nullptr;
};

TEST_F(OpenDialog, IsTheDialogClassWithItsTitle) {
  EXPECT_EQ(driver::class_of(dialog), "#32770");
  EXPECT_EQ(driver::text_of(dialog), TEXT_TITLE);
}

TEST_F(OpenDialog, HasMinimizeButNoMaximizeBoxSizingBorderOrMenu) {
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD required = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  EXPECT_EQ(style & required, required) << std::hex << style;
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u) << std::hex << style;
  EXPECT_EQ(GetMenu(dialog), nullptr);
}

TEST_F(OpenDialog, HasTheTemplatesSizeInDialogUnits) {
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, x_pixels(gui_table::dialog_width));
  EXPECT_EQ(client.bottom, y_pixels(gui_table::dialog_height));
}

TEST_F(OpenDialog, IsCentredInTheWorkArea) {
  RECT work = {}, frame = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &frame);
  // The dialog manager centres on whole pixels.
  EXPECT_NEAR((frame.left + frame.right) / 2.0, (work.left + work.right) / 2.0, 1.0);
  EXPECT_NEAR((frame.top + frame.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0);
}

TEST_F(OpenDialog, HoldsTheTwentySevenControlsInTemplateOrder) {
  ASSERT_EQ(children.size(), static_cast<size_t>(gui_table::control_count));
  for (int i = 0; i < gui_table::control_count; ++i)
    EXPECT_EQ(GetDlgCtrlID(children[i]) & 0xFFFF, gui_table::controls[i].id)
        << "control #" << i + 1 << " (" << gui_table::controls[i].role << ")";
}

TEST_F(OpenDialog, StartsWithEmptyInputsUncheckedOptionsAndBarsAtZero) {
  EXPECT_TRUE(driver::list_entries(dialog).empty());
  EXPECT_EQ(driver::control_text(dialog, IDC_DEST_EDIT), "");
  EXPECT_FALSE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));
  EXPECT_FALSE(driver::is_checked(dialog, IDC_DONT_NOTIFY));
  for (int bar : {IDC_FILE_PROGRESS, IDC_ALL_PROGRESS}) {
    EXPECT_EQ(driver::progress_position(dialog, bar), 0) << "bar " << bar;
    EXPECT_EQ(SendDlgItemMessageA(dialog, bar, PBM_GETRANGE, TRUE, 0), 0) << "bar " << bar;
    EXPECT_EQ(SendDlgItemMessageA(dialog, bar, PBM_GETRANGE, FALSE, 0), 100) << "bar " << bar;
  }
  for (int line : {IDC_STATUS_LINE, IDC_ESTIMATE_LINE, IDC_CURRENT_FILE})
    EXPECT_EQ(driver::control_text(dialog, line), "") << "line " << line;
}

TEST_F(OpenDialog, SliderStartsAtTheStartPositionWithItsLimitShown) {
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_GETRANGEMIN, 0, 0), 62383);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPEED_SLIDER, TBM_GETRANGEMAX, 0, 0), 161181);
  EXPECT_EQ(driver::slider_position(dialog), 92341);
  char limit[64];
  snprintf(limit, sizeof limit, TEXT_SPEED_FORMAT, 10240);
  EXPECT_EQ(driver::control_text(dialog, IDC_SPEED_TEXT), limit);
  EXPECT_TRUE(driver::is_visible(dialog, IDC_SPEED_TEXT));
  EXPECT_FALSE(driver::is_visible(dialog, IDC_SPEED_UNLIMITED));
}

TEST_F(OpenDialog, LooksRightOnScreen) {
  // Not a check of pixels: the picture is for people (README, review).
  EXPECT_TRUE(driver::save_screenshot(dialog, "idle"));
}

class OpenDialogControl : public OpenDialog, public testing::WithParamInterface<int> {
 protected:
  HWND window() const {
    return GetParam() < static_cast<int>(children.size()) ? children[GetParam()] : nullptr;
  }
  const gui_table::expected_control& expected() const { return gui_table::controls[GetParam()]; }
};

TEST_P(OpenDialogControl, HasItsClassIdAndText) {
  const gui_table::expected_control& expected = this->expected();
  HWND control = window();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(upper(driver::class_of(control)), upper(expected.class_name));
  EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, expected.id);
  if (expected.bitmap != 0) {
    EXPECT_NE(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "shows its picture";
  } else if (expected.id == IDC_SPEED_TEXT) {
    // The template's word is replaced by the limit as the dialog opens.
    EXPECT_NE(driver::text_of(control), expected.text);
  } else {
    EXPECT_EQ(driver::text_of(control), expected.text);
  }
}

TEST_P(OpenDialogControl, HasItsStyles) {
  HWND control = window();
  ASSERT_NE(control, nullptr);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE));
  // Bits the controls change themselves: the dialog manager turns WS_BORDER into a sunken
  // edge, a progress bar drops both and draws its own frame, and a list shows its scroll bars
  // only when it needs them. The compiled template holds them all (test_dialog_template.cc).
  DWORD changing = WS_BORDER;
  if (expected().id == IDC_SOURCE_LIST) changing |= WS_VSCROLL | WS_HSCROLL;
  EXPECT_EQ(style & ~changing, expected().style & ~changing)
      << std::hex << "actual " << style << ", expected " << expected().style;
  if (_stricmp(expected().class_name, PROGRESS_CLASSA) == 0) return;
  const bool bordered = (style & WS_BORDER) != 0 || (ex_style & WS_EX_CLIENTEDGE) != 0;
  EXPECT_EQ(bordered, (expected().style & WS_BORDER) != 0) << std::hex << "extended " << ex_style;
}

TEST_P(OpenDialogControl, StartsVisibleAndEnabledAsTheTemplateSays) {
  HWND control = window();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(IsWindowVisible(control) != FALSE, (expected().style & WS_VISIBLE) != 0);
  EXPECT_EQ(IsWindowEnabled(control) != FALSE, (expected().style & WS_DISABLED) == 0);
}

TEST_P(OpenDialogControl, SitsAtItsPlaceInDialogUnits) {
  const gui_table::expected_control& expected = this->expected();
  HWND control = window();
  ASSERT_NE(control, nullptr);
  const RECT rect = driver::client_rect_of_control(dialog, control);
  EXPECT_EQ(rect.left, x_pixels(expected.x));
  EXPECT_EQ(rect.top, y_pixels(expected.y));
  int width = x_pixels(expected.width), height = y_pixels(expected.height);
  if (expected.bitmap != 0) {
    // A picture control takes the size of its picture.
    BITMAP picture = {};
    HBITMAP bitmap = LoadBitmapA(resources, MAKEINTRESOURCEA(expected.bitmap));
    ASSERT_NE(bitmap, nullptr);
    GetObjectA(bitmap, sizeof picture, &picture);
    width = picture.bmWidth;
    height = picture.bmHeight;
  }
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
}

INSTANTIATE_TEST_SUITE_P(Dialog101, OpenDialogControl, gui_table::every_control(),
                         gui_table::control_case_name);

}  // namespace
