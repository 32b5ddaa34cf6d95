// The worker's error boxes about single files, built in buffers that hold any path whole.
#pragma once
#include <cstddef>

#include "res/texts.h"

constexpr size_t notice_path_size = 1024;  // longer than any path the worker composes

// format is TEXT_READ_ERROR or TEXT_WRITE_ERROR; shown only while dont_notify is clear.
void show_file_notice(const char* format, const char* path);

// A file that could not be deleted: shown whatever dont_notify says.
void show_deletion_notice(const char* path, int error_number);
