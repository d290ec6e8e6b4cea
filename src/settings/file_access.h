// Whole-file reads and crash-safe whole-file replacement. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace quorrin {

// The file's bytes, or nothing when it cannot be opened (missing, no access).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Like ReadWholeFile, but a missing file reads as empty; nothing only when the file exists
// and cannot be read. A writer must not replace a file whose content it could not read.
std::optional<std::string> ReadFileOrEmpty(const std::string& path);

enum class FlushMode { ToDisk, NoFlush };

// Writes the bytes to a temporary file in the same folder, flushes it to disk (unless told
// not to, for benchmarks), and renames it over `path`, so that a crash leaves either the
// old or the new file, never a torn one. False when any step failed; the old file is then
// untouched and no temporary file is left behind. A file marked read-only is never replaced.
// Temporary files left by writers that were killed are removed on the next replace.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                           FlushMode flush = FlushMode::ToDisk);

}  // namespace quorrin
