// Sources and destinations as a job file holds them: a path that is not a full one means the
// same wherever the program was started, because it is read against the job file's folder.
#pragma once
#include <cstddef>
#include <string>

enum class job_path_form {
  full,            // a drive and its root ("E:\x"), a network share ("\\server\share"), or ""
  relative,        // a name below the job file's folder, "..\x", or "\x" on the job file's drive
  drive_relative,  // "E:x": against a drive's current folder, which nothing in the job fixes
  no_name,         // a ':' past the drive (";C:\x"): no folder is so named; kept as written,
                   // the scan reports it as a folder it cannot list
};

job_path_form job_path_form_of(const char* value);

// value as the job file job_file (a full path) means it: a relative value joined to the job
// file's folder, its "." and ".." steps taken (never above the root); any other form as it
// is. Splits on characters, so second bytes 0x5C stay inside their characters.
std::string absolute_job_path(const char* job_file, const char* value);
