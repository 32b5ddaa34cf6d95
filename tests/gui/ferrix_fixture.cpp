// A fresh ferrix.exe for each test, and the user's moves that take several steps.
#include "tests/gui/ferrix_fixture.h"

#include <cstdio>

#include "res/control_ids.h"
#include "res/texts.h"

void FerrixFixture::SetUp() {
  ASSERT_TRUE(driver::launch_ferrix(ferrix))
      << "no dialog from " << driver::ferrix_exe_path();
  dialog = ferrix.dialog;
}

void FerrixFixture::TearDown() {
  if (driver::has_exited(ferrix)) {
    driver::kill_ferrix(ferrix);
    return;
  }
  // A test that failed half-way may leave a browser, a file dialog or a box open: each is
  // cancelled, so that the next test meets no program of this one's.
  if (driver::end_ferrix(ferrix) == -1) ADD_FAILURE() << "ferrix.exe did not close";
}

HWND FerrixFixture::open_browser(int button_id) {
  driver::post_click(dialog, button_id);
  return driver::wait_for_window_of(ferrix, TEXT_BROWSER_CAPTION);
}

namespace {
testing::AssertionResult pick_folder(const driver::ferrix_process& ferrix, HWND browser,
                                     const std::string& path) {
  if (browser == nullptr) return testing::AssertionFailure() << "no folder browser came up";
  if (!driver::select_folder_in_browser(ferrix, browser, path))
    return testing::AssertionFailure() << "could not hand " << path << " to the browser";
  if (!driver::wait_until([&] { return IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE; })) {
    driver::save_screenshot(browser, "browser-failure");  // what the browser showed instead
    return testing::AssertionFailure() << "the browser did not accept " << path;
  }
  if (!driver::press_and_wait_gone(browser, IDOK))
    return testing::AssertionFailure() << "the browser stayed open";
  return testing::AssertionSuccess();
}
}  // namespace

testing::AssertionResult FerrixFixture::add_source_folder(const std::string& path) {
  const size_t before = driver::list_entries(dialog).size();
  testing::AssertionResult picked = pick_folder(ferrix, open_browser(IDC_ADD), path);
  if (!picked) return picked;
  if (!driver::wait_until([&] { return driver::list_entries(dialog).size() == before + 1; }))
    return testing::AssertionFailure() << path << " did not reach the list";
  return testing::AssertionSuccess();
}

testing::AssertionResult FerrixFixture::choose_destination_folder(const std::string& path) {
  testing::AssertionResult picked = pick_folder(ferrix, open_browser(IDC_BROWSE), path);
  if (!picked) return picked;
  return text_becomes(IDC_DEST_EDIT, path);
}

testing::AssertionResult FerrixFixture::text_becomes(int control_id, const std::string& text) {
  if (driver::wait_until([&] { return driver::control_text(dialog, control_id) == text; }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "control " << control_id << " shows \""
                                     << driver::control_text(dialog, control_id)
                                     << "\" instead of \"" << text << "\"";
}

testing::AssertionResult FerrixFixture::enabled_becomes(int control_id, bool enabled) {
  if (driver::wait_until([&] { return driver::is_enabled(dialog, control_id) == enabled; }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "control " << control_id << " stays "
                                     << (enabled ? "disabled" : "enabled");
}

std::string FerrixFixture::counts_line(int copied, int skipped, int errors) {
  char line[256];
  snprintf(line, sizeof line, TEXT_JOB_SUMMARY, copied, skipped, errors);
  return line;
}
