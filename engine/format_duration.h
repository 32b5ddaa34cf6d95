// A count of seconds as the status lines show it.
#pragma once
#include <cstdint>

constexpr int duration_text_size = 64;

// "M分钟 SS秒", or "H小时 MM分钟 SS秒" from one hour on; negative counts keep C's truncating
// division. Writes into text and returns it.
char* format_duration(int32_t seconds, char (&text)[duration_text_size]);
