// Fixtures that run jobs.
#include "tests/gui/job_fixture.h"

#include <cstdio>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"

namespace {
// At 510 bytes a second this takes over two minutes: far more than any test needs.
constexpr size_t long_file_size = 64 * 1024;
}  // namespace

void JobFixture::SetUp() {
  FerrixFixture::SetUp();
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("job-") + test->name();
  for (char& c : name)
    if (c == '/') c = '-';  // a table-driven case's name is not a folder below
  root = file_tree::make_scratch_folder(name);
}

void JobFixture::TearDown() {
  FerrixFixture::TearDown();
  file_tree::remove_tree(root);
}

std::string JobFixture::folder(const std::string& name) {
  const std::string path = root + "\\" + name;
  EXPECT_TRUE(file_tree::make_folder(path)) << path;
  return path;
}

void JobFixture::make_file(const std::string& path, size_t size) {
  ASSERT_TRUE(file_tree::write_file(path, file_tree::pattern_bytes(size, path.size())))
      << path;
}

testing::AssertionResult JobFixture::slowest_speed() {
  driver::set_slider(dialog, 62383);
  char label[64];
  snprintf(label, sizeof label, TEXT_SPEED_FORMAT, 512);
  return text_becomes(IDC_SPEED_TEXT, label);
}

testing::AssertionResult JobFixture::unlimited_speed() {
  driver::set_slider(dialog, 161181);
  if (driver::wait_until([&] { return driver::is_visible(dialog, IDC_SPEED_UNLIMITED); }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the unlimited picture did not show";
}

void JobFixture::prepare_long_job() {
  long_job_source = folder("source");
  long_job_dest = folder("dest");
  long_job_file = long_job_dest + "\\big.bin";
  ASSERT_NO_FATAL_FAILURE(make_file(long_job_source + "\\big.bin", long_file_size));
  ASSERT_TRUE(add_source_folder(long_job_source));
  ASSERT_TRUE(choose_destination_folder(long_job_dest));
  ASSERT_TRUE(slowest_speed());
}

// Read-only rather than held open: the worker writes the file through a handle that others may
// open only if they let it be deleted, and a read-only file cannot be deleted under Windows and
// Wine alike.
testing::AssertionResult JobFixture::pin_partial_file(std::string& path) {
  const std::vector<std::string> partial = file_tree::files_below(long_job_dest);
  if (partial.size() != 1)
    return testing::AssertionFailure() << partial.size() << " partial files, not 1";
  path = long_job_dest + "\\" + partial[0];
  if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY))
    return testing::AssertionFailure() << path << ": error " << GetLastError();
  return testing::AssertionSuccess();
}

void JobFixture::release_partial_file(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

testing::AssertionResult JobFixture::start_long_job() {
  driver::click(dialog, IDC_START_STOP);
  testing::AssertionResult shown = text_becomes(IDC_CURRENT_FILE, long_job_file);
  if (!shown) return shown;
  if (driver::wait_until([&] { return driver::progress_position(dialog, IDC_FILE_PROGRESS) > 0; }))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the current file's bar did not move";
}

testing::AssertionResult JobFixture::job_finished(const std::string& end_line) {
  testing::AssertionResult done = text_becomes(IDC_ESTIMATE_LINE, end_line);
  if (!done) return done;
  return text_becomes(IDC_START_STOP, TEXT_START);
}

testing::AssertionResult JobFixture::worker_gone() { return enabled_becomes(IDC_START_STOP, true); }
