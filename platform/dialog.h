// The worker's reports to the dialog. Every call completes on the dialog's thread before it
// returns (a sent message), except dialog_post_worker_gone, which only queues.
#pragma once
#include <cstdint>

using dialog_handle = void*;

void dialog_set_text(dialog_handle dialog, int control_id, const char* text);
void dialog_set_progress(dialog_handle dialog, int control_id, int32_t percent);

// Modal error box owned by the dialog, one OK button; returns when the user has closed it.
void dialog_show_error(dialog_handle dialog, const char* text, const char* caption);

// Sends JOB_FINISHED and waits until the dialog has handled it.
void dialog_send_job_finished(dialog_handle dialog);

// Tells the dialog that the worker has released its job data and is about to end.
void dialog_post_worker_gone(dialog_handle dialog);
