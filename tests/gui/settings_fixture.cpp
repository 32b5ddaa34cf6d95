// Save and Load through the real common file dialogs.
#include "tests/gui/settings_fixture.h"

#include <cstdio>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"

namespace {
struct owned_search {
  HWND owner;
  HWND found;
};

BOOL CALLBACK match_owned_dialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<owned_search*>(parameter);
  if (GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window)) return TRUE;
  if (driver::class_of(window) != "#32770") return TRUE;
  search->found = window;
  return FALSE;
}

// A prompt that a file dialog shows over itself (replace the file? no such file?).
HWND prompt_of(HWND file_dialog) {
  owned_search search{file_dialog, nullptr};
  EnumWindows(match_owned_dialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

testing::AssertionResult type_and_confirm(HWND file_dialog, const std::string& typed_path,
                                          bool replace_when_asked) {
  if (file_dialog == nullptr) return testing::AssertionFailure() << "no file dialog came up";
  HWND edit = driver::file_name_edit(file_dialog);
  if (edit == nullptr) return testing::AssertionFailure() << "no file-name field";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed_path.c_str()));
  PostMessageA(GetDlgItem(file_dialog, IDOK), BM_CLICK, 0, 0);
  HWND prompt = nullptr;
  const bool ended = driver::wait_until([&] {
    if (!IsWindow(file_dialog) || !IsWindowVisible(file_dialog)) return true;
    prompt = prompt_of(file_dialog);
    return prompt != nullptr;
  });
  if (!ended) return testing::AssertionFailure() << "the file dialog stayed open";
  // Gone for good before the caller settles: the dialog's answer to the file comes after.
  if (prompt == nullptr && !driver::wait_until([&] { return !IsWindow(file_dialog); }))
    return testing::AssertionFailure() << "the file dialog was hidden but not closed";
  if (prompt == nullptr) return testing::AssertionSuccess();
  if (!replace_when_asked)
    return testing::AssertionFailure()
           << "the file dialog asked: " << driver::message_box_text(prompt);
  if (!driver::press_and_wait_gone(prompt, IDYES))
    return testing::AssertionFailure() << "the replace prompt stayed open";
  if (!driver::wait_until_gone(file_dialog))
    return testing::AssertionFailure() << "the file dialog stayed open after Yes";
  return testing::AssertionSuccess();
}
}  // namespace

std::ostream& operator<<(std::ostream& out, const shown_job& job) {
  out << "{list:";
  for (const std::string& source : job.sources) out << " [" << source << "]";
  return out << ", dest: [" << job.dest << "], boxes: " << job.overwrite_all << job.dont_notify
             << ", slider: " << job.slider << ", speed: [" << job.speed_text
             << "], start " << (job.start_enabled ? "enabled" : "disabled") << "}";
}

void SettingsFixture::SetUp() {
  FerrixFixture::SetUp();
  if (dialog != nullptr)  // the label holds its number once the dialog is up
    driver::wait_until(
        [&] { return driver::control_text(dialog, IDC_SPEED_TEXT) != TEXT_UNLIMITED; });
}

void SettingsFixture::TearDown() {
  FerrixFixture::TearDown();
  for (const std::string& folder : scratch_folders_) file_tree::remove_tree(folder);
}

HWND SettingsFixture::open_file_dialog(int button_id) {
  driver::post_click(dialog, button_id);
  return driver::wait_for_window_of(ferrix,
                                    button_id == IDC_SAVE ? TEXT_SAVE_TITLE : TEXT_LOAD_TITLE);
}

testing::AssertionResult SettingsFixture::save_as(const std::string& typed_path) {
  testing::AssertionResult done = type_and_confirm(open_file_dialog(IDC_SAVE), typed_path, true);
  settle();
  return done;
}

testing::AssertionResult SettingsFixture::load_from(const std::string& typed_path) {
  testing::AssertionResult done = type_and_confirm(open_file_dialog(IDC_LOAD), typed_path, false);
  settle();
  return done;
}

std::string SettingsFixture::file_name_field(HWND file_dialog) {
  HWND edit = driver::file_name_edit(file_dialog);
  return edit != nullptr ? driver::text_of(edit) : "(no file-name field)";
}

testing::AssertionResult SettingsFixture::cancel(HWND file_dialog) {
  if (file_dialog == nullptr) return testing::AssertionFailure() << "no file dialog came up";
  if (!driver::press_and_wait_gone(file_dialog, IDCANCEL))
    return testing::AssertionFailure() << "the file dialog stayed open";
  settle();
  return testing::AssertionSuccess();
}

void SettingsFixture::settle() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, driver::patience_ms, &ignored);
}

shown_job SettingsFixture::shown() {
  const bool unlimited = driver::is_visible(dialog, IDC_SPEED_UNLIMITED) &&
                         !driver::is_visible(dialog, IDC_SPEED_TEXT);
  return shown_job{driver::list_entries(dialog),
                   driver::control_text(dialog, IDC_DEST_EDIT),
                   driver::is_checked(dialog, IDC_OVERWRITE_ALL),
                   driver::is_checked(dialog, IDC_DONT_NOTIFY),
                   driver::slider_position(dialog),
                   unlimited ? "(unlimited picture)" : driver::control_text(dialog, IDC_SPEED_TEXT),
                   driver::is_enabled(dialog, IDC_START_STOP)};
}

testing::AssertionResult SettingsFixture::shows(const shown_job& expected) {
  if (driver::wait_until([&] { return shown() == expected; })) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the dialog shows " << shown() << "\n  instead of "
                                     << expected;
}

testing::AssertionResult SettingsFixture::restart() {
  if (driver::close_ferrix(ferrix) != 1)
    return testing::AssertionFailure() << "ferrix.exe did not close with exit code 1";
  if (!driver::launch_ferrix(ferrix)) return testing::AssertionFailure() << "no new dialog";
  dialog = ferrix.dialog;
  driver::wait_until(
      [&] { return driver::control_text(dialog, IDC_SPEED_TEXT) != TEXT_UNLIMITED; });
  return testing::AssertionSuccess();
}

std::string SettingsFixture::scratch(const std::string& name) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string folder = std::string("settings-") + test->test_suite_name() + "-" + test->name();
  for (char& c : folder)
    if (c == '/') c = '-';
  scratch_folders_.push_back(file_tree::make_scratch_folder(folder + "-" + name));
  return scratch_folders_.back();
}

std::string SettingsFixture::read_bytes(const std::string& path) {
  std::string bytes;
  return file_tree::read_file(path, bytes) ? bytes : "(missing)";
}

testing::AssertionResult SettingsFixture::file_becomes(const std::string& path,
                                                       const std::string& bytes) {
  if (driver::wait_until([&] { return read_bytes(path) == bytes; }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << path << " holds\n" << read_bytes(path) << "\ninstead of\n"
                                     << bytes;
}

std::string SettingsFixture::speed_text(int bytes_per_second) {
  char text[64];
  snprintf(text, sizeof text, TEXT_SPEED_FORMAT, bytes_per_second);
  return text;
}
