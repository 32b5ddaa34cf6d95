// The worker's notices: each names its kind and its path, and carries the box's sentence,
// built in buffers that hold any path whole.
#pragma once
#include <cstddef>

#include "core/job_reports.h"
#include "core/limits.h"
#include "res/texts.h"

// A notice about one file or folder, its sentence chosen by its kind; quiet while dont_notify
// is set.
void show_file_notice(notice_kind kind, const char* path);

// A twin of a copied file, skipped: it names the source, whose contents the destination lacks;
// its box shows the sentence of a kept file at the destination's name.
void show_twin_notice(const char* source_path, const char* dest_path);

// A temporary file that could not be deleted: a box whatever dont_notify says.
void show_deletion_notice(const char* path, int error_number);

// Memory for the file list or the copy buffer ran out: a box whatever dont_notify says.
void show_memory_notice(notice_kind kind);
