// The job's record of its temporary in progress, kept in the program's own state folder, so
// that a later run deletes what a crash left and only that: a file is proven a leftover by
// the record of a run that is gone, naming its path, its file identity and its source (whose
// first bytes it must hold), never by its name.
#pragma once
#include <cstdio>

#include "core/limits.h"

struct temp_record {
  FILE* stream;  // null when no record could be made: the job runs, a crash leftover stays
  char path[windows_path_size];
};

// Deletes the temporaries that the records of runs no longer at work name, and those records,
// then makes this job's record, held open until temp_record_end as a temporary is held. A
// leftover not proven and a record that cannot be made are each a remark.
void temp_record_start(temp_record& record);
// temp_stream has just been created at temp_path for a copy of source_path: the record names
// both instead of the ones before (that temporary is in place or deleted by now).
void temp_record_note(temp_record& record, FILE* temp_stream, const char* temp_path,
                      const char* source_path);
void temp_record_end(temp_record& record);
