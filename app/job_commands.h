// Start/Stop, Pause and the option boxes, and the dialog's side of a job's end.
#pragma once
#include <windows.h>

// Start/Stop: Start while no job is started, otherwise Stop.
void start_or_stop_job(HWND dialog);
// Start: the job's inputs frozen, its log's start line, the worker with the dialog's report
// table. False when it did not start (said in a box, or in a /start run in the log).
bool start_job(HWND dialog);
void stop_job(HWND dialog);

// Pause/Continue: flips paused; the caption stays.
void toggle_pause(HWND dialog);

// The two option check boxes: the option follows the box at once, also during a job.
void follow_option_box(HWND dialog, int check_box_id);

// JOB_FINISHED: the worker's last report of a job, its outcome in the dialog's state: the end
// logged, back to idle.
void finish_job(HWND dialog);

// The worker has released its job data and is ending: a new job may start.
void forget_worker(HWND dialog);
