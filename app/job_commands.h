// Start/Stop, Pause and the option boxes, and the dialog's side of a job's end.
#pragma once
#include <windows.h>

// Start/Stop (1007): Start while no job is started, otherwise Stop.
void start_or_stop_job(HWND dialog);
void start_job(HWND dialog);
void stop_job(HWND dialog);

// Pause/Continue (1011): flips paused; the caption stays.
void toggle_pause(HWND dialog);

// The check boxes 1013 and 1014: the option follows the box at once, also during a job.
void follow_option_box(HWND dialog, int check_box_id);

// The controls that could change the job's inputs: Add, Remove, Load, Browse, Clear all.
void lock_job_controls(HWND dialog);
void unlock_job_controls(HWND dialog);

// JOB_FINISHED: the worker's last report of a job; back to idle.
void finish_job(HWND dialog);

// The worker has released its job data and is ending: a new job may start.
void forget_worker(HWND dialog);
