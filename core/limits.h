// The data model's limits: how many sources a job takes and how long its paths may be.
#pragma once

constexpr int max_sources = 512;
constexpr int job_path_size = 256;  // any path a job holds: 255 characters and the NUL
// The longest path the ANSI Windows calls take (MAX_PATH: 259 characters and the NUL): the
// dialog's paths, a listed name, the temporary copy's path.
constexpr int windows_path_size = 260;
// Longer than any path the worker composes (a source or destination path and a file name).
constexpr int composed_path_size = 1024;
// One argument of the command line, and so the log's path: longer than any path the ANSI API
// opens, so that a cut job file still fails to open.
constexpr int run_argument_size = 1024;
