// The copy-job fixture; see copy_job_fixture.h.
#include "tests/support/copy_job_fixture.h"

#include <cstdio>
#include <memory>

#include "core/job_state.h"
#include "engine/copy_worker.h"
#include "engine/job_data.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/host_tools.h"
#include "platform/testing/refusing_worker_memory.h"
#include "res/texts.h"

namespace {
constexpr int64_t job_start_ms = 1700000000LL * 1000;

// The rate meter's own texts for the second line: an estimate, or empty while paused.
bool is_estimate(const std::string& text) {
  const std::string format = TEXT_ESTIMATE;
  return text.empty() || text.compare(0, format.find("%s"), format, 0, format.find("%s")) == 0;
}

std::string formatted(const char* format, const std::string& path) {
  char text[2048];
  snprintf(text, sizeof text, format, path.c_str());
  return text;
}
}  // namespace

std::string end_line_counts(int copied, int skipped, int errors) {
  char text[256];
  snprintf(text, sizeof text, TEXT_JOB_SUMMARY, copied, skipped, errors);
  return text;
}

job_outcome finished_outcome() {
  for (const job_report& report : recorded_reports())
    if (report.kind == report_kind::job_finished) return report.outcome;
  ADD_FAILURE() << "no job finished report";
  return {};
}

std::string read_error_text(const std::string& path) { return formatted(TEXT_READ_ERROR, path); }
std::string write_error_text(const std::string& path) { return formatted(TEXT_WRITE_ERROR, path); }
std::string deletion_error_text(const std::string& path, int error_number) {
  char text[2048];
  snprintf(text, sizeof text, TEXT_DELETE_ERROR, path.c_str(), error_number);
  return text;
}

void CopyJob::SetUp() {
  fake_clock_reset(job_start_ms);
  recording_reports_reset();
  fail_worker_allocation_after(-1);
  store(job_state.running, 1);
  store(job_state.paused, 0);
  store(job_state.closing, 0);
  store(job_state.overwrite_all, 0);
  store(job_state.dont_notify, 0);
  store(job_state.chunk_size, 1024);
  store(job_state.chunk_delay_ms, 100);
  job_state.source_count = 0;
  job_state.verify = 0;
  job_state.dest_root[0] = '\0';
  job_data = {};
  root_ = scratch::make_test_folder();
  ASSERT_FALSE(root_.empty());
  // The jobs' records, apart from other processes' and outside the trees the tests compare:
  // the program finds its state folder in the user's temporary folder, as on a user's system.
  ASSERT_TRUE(host_make_folder(root_ + "-state"));
  host_set_temp_folder(root_ + "-state");
}

void CopyJob::TearDown() {
  recording_reports_on_report(nullptr);
  fake_clock_on_sleep(nullptr);
  fail_worker_allocation_after(-1);
  host_lift_file_size_limit();
  host_release_blocks();
  host_set_temp_folder("");
  scratch::remove_tree(root_ + "-state");
  scratch::remove_tree(root_);
}

std::string CopyJob::host(const std::string& relative) const {
  return relative.empty() ? root_ : scratch::join(root_, relative);
}

std::string CopyJob::engine(const std::string& relative) const {
  return scratch::engine_path(host(relative));
}

void CopyJob::set_sources(const std::vector<std::string>& engine_paths) {
  job_state.source_count = static_cast<int32_t>(engine_paths.size());
  for (size_t i = 0; i < engine_paths.size(); ++i)
    snprintf(job_state.sources[i], sizeof job_state.sources[i], "%s", engine_paths[i].c_str());
}

void CopyJob::set_dest(const std::string& engine_path) {
  snprintf(job_state.dest_root, sizeof job_state.dest_root, "%s", engine_path.c_str());
}

int32_t CopyJob::run_job() { return copy_worker(); }

void CopyJob::at_report(std::function<bool(const job_report&)> matches,
                        std::function<void()> action) {
  auto done = std::make_shared<bool>(false);
  recording_reports_on_report([=](const job_report& report) {
    if (*done || !matches(report)) return;
    *done = true;
    action();
  });
}

std::vector<int32_t> CopyJob::positions_of(report_kind kind) const {
  std::vector<int32_t> positions;
  for (const job_report& report : recorded_reports())
    if (report.kind == kind) positions.push_back(report.value);
  return positions;
}

std::vector<std::string> CopyJob::texts_of(report_kind kind) const {
  std::vector<std::string> texts;
  for (const job_report& report : recorded_reports())
    if (report.kind == kind) texts.push_back(report.text);
  return texts;
}

std::vector<std::string> CopyJob::error_texts() const {
  std::vector<std::string> texts;
  for (const job_report& report : recorded_reports()) {
    if (report.kind != report_kind::notice) continue;
    bool memory = report.text == TEXT_NO_COPY_BUFFER || report.text == TEXT_NO_FILE_LIST;
    EXPECT_EQ(report.caption, memory ? TEXT_MEMORY_CAPTION : TEXT_FILE_ACCESS_CAPTION)
        << report.text;
    texts.push_back(report.text);
  }
  return texts;
}

std::vector<std::string> CopyJob::job_log() const {
  std::vector<std::string> log;
  for (const job_report& report : recorded_reports()) {
    if (report.kind == report_kind::status_line && report.text != TEXT_SCANNING) continue;
    if (report.kind == report_kind::estimate_line && is_estimate(report.text)) continue;
    if (report.kind == report_kind::quiet_notice) continue;
    log.push_back(describe(report));
  }
  return log;
}
