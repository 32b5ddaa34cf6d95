// The file copy loop: takes the sorted file list from its end and copies each file below
// dest_root, then ends the job (completion text, bars, job finished, running cleared).
#pragma once
#include <cstdint>

#include "core/limits.h"

// Copies the first file_count entries of job_data.file_list through job_data.copy_buffer.
// Returns once the dialog has taken the job-finished report.
void copy_files(int32_t file_count);

// Creates the folders of dest_file_path one level at a time, outermost first, each attempted
// even if an earlier one failed; a level that cannot be made is left to the file's own open.
// The file's own folder is written to `folder` (empty when the path has none); true when this
// call made it.
bool create_dest_folders(const char* dest_file_path, char (&folder)[job_path_size]);
