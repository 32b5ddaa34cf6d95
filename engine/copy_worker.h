// The copy worker: the thread that runs one job from scan to the job-finished report.
#pragma once
#include <cstdint>

// The thread's work; the job comes from job_state. Returns 0 after a job, -1 when the transfer
// buffer could not be had. Its last act is the worker-gone report.
int32_t copy_worker();
