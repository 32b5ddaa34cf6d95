// The data model's limits: how many sources a job takes and how long its paths may be.
#pragma once

constexpr int max_sources = 512;
constexpr int source_path_size = 256;  // 255 characters and the NUL
constexpr int dialog_path_size = 260;  // 259 characters and the NUL: the dialog's paths
