// The worker's process-wide job data.
#include "engine/job_data.h"

worker_job_data job_data;
