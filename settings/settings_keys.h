// The names inside a job's settings file: one section, and its keys in the order a save
// writes them.
#pragma once
#include "res/texts.h"

constexpr const char* settings_section = TEXT_SETTINGS_SECTION;

constexpr const char* key_source_count = "nsrc";
constexpr const char* key_source_format = "src%d";  // src0, src1, ...
constexpr const char* key_dest = "dest";
constexpr const char* key_overwrite_all = "overwriteall";
constexpr const char* key_dont_notify = "dontnotify";
constexpr const char* key_speed = "speed";
// Written only when on, or over a file that holds it already (a job without it saves as before).
constexpr const char* key_verify = "verify";

// Room for "src" and any int32 index.
constexpr int source_key_size = 16;
