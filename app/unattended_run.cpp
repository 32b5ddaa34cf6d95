// The run's outcome, and the counts behind it.
#include "app/unattended_run.h"

#include <atomic>

#include "app/job_log.h"
#include "core/job_state.h"
#include "res/texts.h"

namespace {
struct run_record {
  bool unattended = false;
  bool refused = false;
  int exit_code = exit_stopped;
  DWORD start_ticks = 0;
  std::atomic<int32_t> failures{0};  // counted by the worker, read at JOB_FINISHED
};
run_record run;
}  // namespace

void set_unattended_run(bool unattended) { run.unattended = unattended; }
bool unattended_run() { return run.unattended; }

void count_notice(notice_kind kind) {
  if (kind != notice_kind::kept_existing)
    run.failures.store(run.failures.load(std::memory_order_relaxed) + 1,
                       std::memory_order_relaxed);
}

void note_job_start() {
  run.failures.store(0, std::memory_order_relaxed);
  run.start_ticks = GetTickCount();
}

int32_t note_job_end(bool stopped, int32_t errors) {
  const bool failed = run.failures.load(std::memory_order_relaxed) != 0 || errors != 0;
  run.exit_code = stopped ? exit_stopped : failed ? exit_something_failed : exit_all_done;
  return static_cast<int32_t>((GetTickCount() - run.start_ticks) / 1000);
}

void note_refusal(const char* reason) {
  if (load(job_state.started) != 0) {  // a failed Save during the job, say: only logged
    write_job_log(reason);
    return;
  }
  run.refused = true;
  write_job_log_formatted(TEXT_LOG_NOT_STARTED, reason);
}

bool refused_before_start() { return run.refused; }

int dialog_result() { return run.unattended ? run.exit_code : 1; }
