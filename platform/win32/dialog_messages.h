// The window messages by which the worker talks to the main dialog.
#pragma once
#include <windows.h>

// JOB_FINISHED: WM_USER with wParam 0 and this lParam; other lParams are not ours.
constexpr UINT job_finished_message = WM_USER;
constexpr LPARAM job_finished_lparam = 69;

// Posted once the worker has released its job data: a new worker may start.
constexpr UINT worker_gone_message = WM_APP + 1;
