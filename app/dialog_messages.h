// The window messages and the timer by which the worker's reports reach the main dialog.
#pragma once
#include <windows.h>

// JOB_FINISHED: WM_USER with wParam 0 and this lParam; other lParams are not ours.
constexpr UINT job_finished_message = WM_USER;
constexpr LPARAM job_finished_lparam = 69;

// Posted once the worker has released its job data: a new worker may start.
constexpr UINT worker_gone_message = WM_APP + 1;

// Sent by the worker before a notice: the newest current file and bars go on show first.
constexpr UINT show_pending_message = WM_APP + 2;

// While a worker exists, the dialog shows its newest current file and bars this often.
constexpr UINT_PTR display_timer_id = 1;
constexpr UINT display_refresh_ms = 50;
