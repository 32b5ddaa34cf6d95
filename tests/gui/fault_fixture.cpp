// Fixtures for the fault and bad-input cases.
#include "tests/gui/fault_fixture.h"

#include <cstdio>
#include <cstring>

#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"

namespace {
// Long enough for any case's whole job under Wine.
constexpr int job_patience_ms = 120000;
}  // namespace

void FaultFixture::SetUp() {
  JobFixture::SetUp();
  // A parameterised test's name holds a '/', which no folder name may.
  std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : name)
    if (c == '/') c = '-';
  file_tree::remove_tree(root);
  root = file_tree::make_scratch_folder("fault-" + name);
  control = folder("control");
  ASSERT_NO_FATAL_FAILURE(make_file(control + "\\kept.bin", 3000));
}

void FaultFixture::take_snapshot() { before = tree_invariant::snapshot({root}); }

testing::AssertionResult FaultFixture::set_up_job(const std::vector<std::string>& source_folders,
                                                  const std::string& dest_folder) {
  sources = source_folders;
  dest = dest_folder;
  for (const std::string& source : sources) {
    testing::AssertionResult added = add_source_folder(source);
    if (!added) return added;
  }
  testing::AssertionResult chosen = choose_destination_folder(dest);
  if (!chosen) return chosen;
  take_snapshot();
  return unlimited_speed();
}

testing::AssertionResult FaultFixture::tick_dont_notify() {
  driver::click(dialog, IDC_DONT_NOTIFY);
  if (driver::is_checked(dialog, IDC_DONT_NOTIFY)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the no-notices box did not take the tick";
}

bool FaultFixture::job_over() {
  const std::string end_line = driver::control_text(dialog, IDC_ESTIMATE_LINE);
  const std::string counts_start(TEXT_JOB_SUMMARY, strcspn(TEXT_JOB_SUMMARY, "%"));
  const bool ended = end_line == TEXT_ALL_DONE || end_line == TEXT_JOB_STOPPED ||
                     end_line.starts_with(counts_start);
  return ended &&
         driver::control_text(dialog, IDC_START_STOP) == TEXT_START &&
         driver::is_enabled(dialog, IDC_START_STOP);
}

testing::AssertionResult FaultFixture::dismiss_notices_until(
    const std::function<bool()>& condition) {
  const bool held = driver::wait_until(
      [&] {
        if (HWND box = driver::wait_for_message_box(ferrix, 0)) {
          notices.push_back(driver::message_box_text(box));
          driver::press_and_wait_gone(box, IDOK);
          return false;
        }
        return condition();
      },
      job_patience_ms);
  if (held) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the job did not get there; the current file reads \""
                                     << driver::control_text(dialog, IDC_CURRENT_FILE)
                                     << "\", " << notices.size() << " notices so far";
}

testing::AssertionResult FaultFixture::run_job_to_end() {
  notices.clear();
  driver::click(dialog, IDC_START_STOP);
  return dismiss_notices_until([&] { return job_over(); });
}

std::string FaultFixture::notice(const char* format, const std::string& path) {
  char text[1024];
  snprintf(text, sizeof text, format, path.c_str());
  return text;
}

void FaultFixture::check_invariant() {
  EXPECT_TRUE(tree_invariant::destination_holds_only_copies(sources, dest, nullptr, placed));
  EXPECT_TRUE(tree_invariant::unchanged_since(before, {root}, dest));
  EXPECT_TRUE(tree_invariant::dialog_ends_idle(ferrix));
  EXPECT_EQ(driver::close_ferrix(ferrix), 1) << "exit code on close";
}

void UnixSideFixture::SetUp() {
  FaultFixture::SetUp();
  if (HasFatalFailure()) return;
  if (host_unix_path(root).empty() || !host_run_shell_script("true"))
    GTEST_SKIP() << "no Unix side to make these names on";
}

void UnixSideFixture::TearDown() {
  if (!host_unix_path(root).empty()) host_run_shell_script("rm -rf " + unix_word(root));
  FaultFixture::TearDown();
}

testing::AssertionResult UnixSideFixture::on_unix_side(const std::string& script) {
  if (host_run_shell_script(script)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "this failed on the Unix side:\n" << script;
}

std::string UnixSideFixture::unix_word(const std::string& path) {
  return host_shell_word(host_unix_path(path));
}
