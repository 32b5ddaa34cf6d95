// The worker thread's work: buffer, scan, sort, copy loop, release, and word to the dialog.
#include "engine/copy_worker.h"

#include <cstdlib>

#include "core/job_reports.h"
#include "core/job_state.h"
#include "engine/copy_loop.h"
#include "engine/file_list.h"
#include "engine/job_data.h"
#include "engine/notice.h"
#include "engine/source_scan.h"
#include "platform/clock.h"
#include "platform/worker_memory.h"

namespace {
// The list, or nothing when memory ran out: then the job ends normally with no file.
int32_t list_and_sort_files() {
  int32_t source_count = job_state.source_count;
  if (source_count > max_sources) source_count = max_sources;
  int32_t file_count = scan_sources(job_state.sources, source_count, job_data.file_list);
  if (file_count < 0) {
    job_data.total_bytes = 0;
    ++job_data.errors;
    show_memory_notice(notice_kind::no_memory_for_list);
    return 0;
  }
  qsort(job_data.file_list, static_cast<size_t>(file_count), sizeof(list_entry*),
        compare_paths_descending);
  return file_count;
}

void release_job_data() {
  free(job_data.copy_buffer);
  job_data.copy_buffer = nullptr;
  free_file_list(job_data.file_list, job_data.file_count);
  job_data.file_list = nullptr;
  job_data.file_count = 0;
}
}  // namespace

int32_t copy_worker() {
  job_data = {};
  job_data.start_seconds = clock_seconds();
  job_data.copy_buffer = static_cast<uint8_t*>(worker_calloc(copy_buffer_size, 1));
  if (!job_data.copy_buffer) {
    // The job ends as any other, with its one error on the end line, and the dialog is idle.
    ++job_data.errors;
    show_memory_notice(notice_kind::no_memory_for_buffer);
    copy_files(0);
    job_state.reports->worker_gone();
    return -1;
  }
  job_state.reports->file_progress(0);
  job_state.reports->status_line(TEXT_SCANNING);

  job_data.file_count = list_and_sort_files();
  copy_files(job_data.file_count);

  release_job_data();
  job_state.reports->worker_gone();
  return 0;
}
