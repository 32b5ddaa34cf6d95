// The copy worker: the thread that runs one job from scan to JOB_FINISHED.
#pragma once
#include <cstdint>

// Thread entry. Ignores its parameter (the job comes from job_state). Returns 0 after a job,
// -1 when the transfer buffer could not be had. Its last act is dialog_post_worker_gone.
int32_t copy_worker(void* parameter);
