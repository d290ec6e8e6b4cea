// The 8.3 short name of an existing file or folder.
#pragma once

#include <string>

namespace quorrin {

// The short name of `path` (UTF-8), or "" when the file does not exist or the volume keeps
// no short names.
std::string ShortPathName(const std::string& path);

}  // namespace quorrin
