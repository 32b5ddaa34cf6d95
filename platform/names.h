// Names as the destination's file system compares them: the one question the twin rule asks.
#pragma once

// True when a case-insensitive file system would open one file for both paths: the same text
// but for letter case. Windows answers through its own comparison without case (the paths in
// UTF-16 from the ANSI code page); other hosts through core/gbk_case_fold.h. A path the code page
// cannot convert matches only itself, byte for byte.
bool same_path_ignoring_case(const char* left, const char* right);
