// The command line's arguments, read as the C runtime reads them, with GBK characters kept
// whole. Portable, so that its rules are tested on every build.
#pragma once
#include <cstddef>

// command_line is what GetCommandLineA returns: the program's name, then the arguments,
// separated by blanks or tabs. The first argument goes into argument (size bytes with its NUL),
// cut at a character boundary if it does not fit. Quotes group blanks into the argument and
// are dropped; 2n backslashes before a quote give n backslashes, 2n+1 give n and a literal
// quote; other backslashes are kept. False when there is no argument; later ones are ignored.
bool first_argument(const char* command_line, char* argument, size_t size);

// The arguments one by one: arguments_of skips the program's name; next_argument reads the
// argument at text as first_argument does, sets *cut when it did not fit whole, and returns
// the text after it, or null when no argument is left.
const char* arguments_of(const char* command_line);
const char* next_argument(const char* text, char* argument, size_t size, bool* cut);
