// copy_requests.exe SOURCE DEST: one copy job of the real Windows backend on a thread of its
// own, between two named events the wineserver's debug log shows, so that a script can count
// the requests of that thread alone (tests/requests/count_copy_requests.sh). The dialog is a
// recorder and the clock a fake one: nothing but the job asks the server anything.
#include <windows.h>

#include <cstdio>
#include <thread>

#include "core/job_state.h"
#include "engine/copy_worker.h"
#include "engine/job_data.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/recording_reports.h"

namespace {
// A request the log names: "create_event( ... name=L"ferrix-requests-begin" )".
void mark(const char* name) { CloseHandle(CreateEventA(nullptr, TRUE, FALSE, name)); }
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: copy_requests.exe SOURCE DEST\n");
    return 2;
  }
  fake_clock_reset(0);
  recording_reports_reset();
  store(job_state.chunk_size, 1 << 20);
  store(job_state.chunk_delay_ms, 0);
  job_state.source_count = 1;
  snprintf(job_state.sources[0], sizeof job_state.sources[0], "%s", argv[1]);
  snprintf(job_state.dest_root, sizeof job_state.dest_root, "%s", argv[2]);
  std::thread worker([] {
    mark("ferrix-requests-begin");
    copy_worker();
    mark("ferrix-requests-end");
  });
  worker.join();
  // A job that failed or skipped a file did less work than the count assumes.
  printf("%d copied, %d skipped, %d failed\n", job_data.files_copied, job_data.files_skipped,
         job_data.errors);
  return job_data.files_skipped == 0 && job_data.errors == 0 ? 0 : 1;
}
