// The engine's paths (backslashes, GBK) as POSIX paths (slashes), for both POSIX backends.
#pragma once
#include <cstddef>

constexpr size_t host_path_size = 4096;  // PATH_MAX: the longest path the kernel takes

// Copies path into host with each separator a slash; a GBK character's second byte (0x5C
// included) stays as it is. False, and host empty, when the path does not fit: a cut path
// would name another file.
bool to_host_path(const char* path, char (&host)[host_path_size]);
