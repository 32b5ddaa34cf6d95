// The copy-job fixture; see copy_job_fixture.h.
#include "tests/support/copy_job_fixture.h"

#include <cstdio>
#include <memory>

#include "app/job_state.h"
#include "engine/copy_worker.h"
#include "engine/job_data.h"
#include "engine/worker_memory.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/host_tools.h"
#include "res/control_ids.h"
#include "res/texts.h"

namespace {
constexpr int64_t job_start_ms = 1700000000LL * 1000;
int fake_window;  // its address stands for the dialog

std::string formatted(const char* format, const std::string& path) {
  char text[2048];
  snprintf(text, sizeof text, format, path.c_str());
  return text;
}
}  // namespace

std::string read_error_text(const std::string& path) { return formatted(TEXT_READ_ERROR, path); }
std::string write_error_text(const std::string& path) { return formatted(TEXT_WRITE_ERROR, path); }
std::string deletion_error_text(const std::string& path, int error_number) {
  char text[2048];
  snprintf(text, sizeof text, TEXT_DELETE_ERROR, path.c_str(), error_number);
  return text;
}

void CopyJob::SetUp() {
  fake_clock_reset(job_start_ms);
  recording_dialog_reset();
  fail_worker_allocation_after(-1);
  store(job_state.running, 1);
  store(job_state.paused, 0);
  store(job_state.closing, 0);
  store(job_state.overwrite_all, 0);
  store(job_state.dont_notify, 0);
  store(job_state.chunk_size, 1024);
  store(job_state.chunk_delay_ms, 100);
  job_state.main_window = &fake_window;
  job_state.source_count = 0;
  job_state.dest_root[0] = '\0';
  job_data = {};
  root_ = scratch::make_test_folder();
  ASSERT_FALSE(root_.empty());
}

void CopyJob::TearDown() {
  recording_dialog_on_report(nullptr);
  fake_clock_on_sleep(nullptr);
  fail_worker_allocation_after(-1);
  host_lift_file_size_limit();
  host_release_blocks();
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

int32_t CopyJob::run_job() { return copy_worker(nullptr); }

void CopyJob::at_report(std::function<bool(const dialog_report&)> matches,
                        std::function<void()> action) {
  auto done = std::make_shared<bool>(false);
  recording_dialog_on_report([=](const dialog_report& report) {
    if (*done || !matches(report)) return;
    *done = true;
    action();
  });
}

std::vector<int32_t> CopyJob::positions_of(int control_id) const {
  std::vector<int32_t> positions;
  for (const dialog_report& report : recorded_reports())
    if (report.kind == report_kind::progress && report.control_id == control_id)
      positions.push_back(report.value);
  return positions;
}

std::vector<std::string> CopyJob::texts_of(int control_id) const {
  std::vector<std::string> texts;
  for (const dialog_report& report : recorded_reports())
    if (report.kind == report_kind::text && report.control_id == control_id)
      texts.push_back(report.text);
  return texts;
}

std::vector<std::string> CopyJob::error_texts() const {
  std::vector<std::string> texts;
  for (const dialog_report& report : recorded_reports()) {
    if (report.kind != report_kind::error_box) continue;
    bool memory = report.text == TEXT_NO_COPY_BUFFER || report.text == TEXT_NO_FILE_LIST;
    EXPECT_EQ(report.caption, memory ? TEXT_MEMORY_CAPTION : TEXT_FILE_ACCESS_CAPTION)
        << report.text;
    texts.push_back(report.text);
  }
  return texts;
}

std::vector<std::string> CopyJob::job_log() const {
  std::vector<std::string> log;
  for (const dialog_report& report : recorded_reports()) {
    switch (report.kind) {
      case report_kind::progress:
        log.push_back("bar " + std::to_string(report.control_id) + " = " +
                      std::to_string(report.value));
        break;
      case report_kind::text:
        if (report.control_id == IDC_STATUS_LINE && report.text != TEXT_SCANNING) break;
        if (report.control_id == IDC_ESTIMATE_LINE && report.text != TEXT_ALL_DONE) break;
        log.push_back("label " + std::to_string(report.control_id) + " = " + report.text);
        break;
      case report_kind::error_box:
        log.push_back("box " + report.text);
        break;
      case report_kind::job_finished:
        log.push_back("job finished");
        break;
      case report_kind::worker_gone:
        log.push_back("worker gone");
        break;
    }
  }
  return log;
}
