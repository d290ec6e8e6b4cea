// Names of the temporary files that a crash-safe replace writes beside its target:
// "<target name>.<process id>.<sequence>.tmp". The process id in the name lets a later
// writer tell a temporary file left by a killed process from one still being written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

std::string MakeTempFileName(std::string_view targetName, uint64_t processId, uint64_t sequence);

// The id of the process that wrote the temporary file `fileName` for `targetName`, or
// nothing when `fileName` is not one of that target's temporary files.
std::optional<uint64_t> TempFileOwner(std::string_view targetName, std::string_view fileName);

// Splits a path at its last separator (any of `separators`) into the folder part, with its
// separator and possibly empty, and the file name.
struct PathParts {
    std::string folder;
    std::string name;
};
PathParts SplitPath(std::string_view path, std::string_view separators);

}  // namespace quorrin
