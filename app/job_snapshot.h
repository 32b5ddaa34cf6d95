// Start's copy of the job's inputs from the dialog into job_state, before the worker exists.
#pragma once
#include <windows.h>

// Sources in list order, their count, the destination and whether copies are verified;
// reports nothing, cannot fail.
void take_job_snapshot(HWND dialog);
