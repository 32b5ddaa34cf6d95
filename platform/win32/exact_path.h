// The form of a path that reaches exactly the names in it. Names from other systems may end in
// a dot or a blank; the Windows path rules would open such a name without them, which is
// another file (or folder) when one of that shorter name stands beside it.
#pragma once
#include <cstddef>

#include "core/limits.h"  // windows_path_size: the ANSI calls take no longer path, in any form

// What a path is handed to the ANSI calls as. An absolute path ("X:\..." or
// "\\server\share\...") with a part below its root that ends in a dot or a blank: its "\\?\"
// form ("\\?\X:\..." or "\\?\UNC\server\share\..."), written to buffer, which turns those rules
// off; as that form takes them as they are, '/' is written as '\', runs of separators as one,
// and "." and ".." parts are resolved here as the rules would. Any other path: the path itself.
// Null when the "\\?\" form does not fit in buffer_size: the call must then fail rather than
// reach another name.
const char* exact_path(const char* path, char* buffer, size_t buffer_size);
