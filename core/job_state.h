// The one record through which the dialog and the copy worker cooperate. Flags and numbers
// that both threads touch are relaxed atomics: one plain load or store each, without a race.
#pragma once
#include <atomic>
#include <cstdint>

#include "core/limits.h"

struct job_reports;  // core/job_reports.h

using shared_int = std::atomic<int32_t>;

inline int32_t load(const shared_int& value) { return value.load(std::memory_order_relaxed); }
inline void store(shared_int& value, int32_t new_value) {
  value.store(new_value, std::memory_order_relaxed);
}

struct job_state_record {
  // Control flags: the dialog sets them, the worker polls.
  shared_int running{1};
  shared_int started{0};
  shared_int paused{0};

  // The job's inputs, frozen at Start before the worker exists. reports: the front end's table
  // of report functions, the worker's only way to tell what happened. main_window is the
  // dialog that shows them; only the dialog's side of the reports looks at it.
  const job_reports* reports = nullptr;
  void* main_window = nullptr;
  char sources[max_sources][job_path_size] = {};
  int32_t source_count = 0;
  char dest_root[windows_path_size] = {};
  // 1: every copy is read back and compared before it gets its name, and every file kept
  // because it exists is compared with its source.
  int32_t verify = 0;

  // Live options and speed: the worker reads them afresh at each use.
  shared_int overwrite_all{0};
  shared_int dont_notify{0};
  shared_int speed_limit{10240};
  shared_int chunk_size{1024};
  shared_int chunk_delay_ms{100};

  // A worker exists (from its creation until it reports itself gone): keeps one worker at a time.
  shared_int worker_alive{0};
  // The dialog is closing: a scan in progress gives up early.
  shared_int closing{0};
};

extern job_state_record job_state;

// The snapshot's copying rules, applied by take_job_snapshot to each text it fetches from the
// dialog: the text is kept whole (cut only at its slot's size), with forward slashes read as
// backslashes.
void snapshot_source(int slot, const char* text);
void snapshot_dest_root(const char* text);
