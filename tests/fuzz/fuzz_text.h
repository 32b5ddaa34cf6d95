// Path texts drawn from fuzz input. Each piece costs a byte or two and is one of the cases that
// matter: a letter, a backslash, a colon, a dot, a blank, a double-byte GBK character (often one
// whose second byte is 0x5C), a name the copy loop could pick for a temporary file, a lone lead
// byte (a cut-off character), any byte, or a long run of letters that reaches the length limits
// quickly.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

// Anything a root may hold (from a hand-written settings file): any bytes but NUL.
std::string take_root_text(FuzzedDataProvider& input, size_t max_bytes);

// A name as a GBK listing gives one: whole characters, no backslash; never "", "." or "..".
std::string take_name(FuzzedDataProvider& input, size_t max_bytes);

// The names a text of folders splits into at its backslash characters, as a listing could give
// them (empty, "." and ".." elements left out, a cut-off last character dropped).
std::vector<std::string> names_in(const std::string& folders);

// One to four source roots of at most 255 bytes: fresh texts, or made from an earlier root (the
// same text, with a trailing backslash, with more characters after it as E:\temp2 after
// E:\temp, or a folder inside it, which is then added to the fake tree).
std::vector<std::string> take_source_roots(FuzzedDataProvider& input);
