// Whole-file reads and crash-safe whole-file replacement over a FilePlatform. Paths are UTF-8.
#pragma once

#include "settings/file_platform.h"

#include <optional>
#include <string>

namespace quorrin {

// The file's bytes, or nothing when it cannot be opened (missing, no access).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Reads the file; a missing file reads as empty. A writer must not replace a file whose
// content it could not read. A file held by another program is retried for a moment.
FileStatus ReadFileOrEmpty(FilePlatform& platform, const std::string& path, std::string& bytes);

// At most `count` bytes of the file from `offset`, and its size; a missing file reads as
// empty with size 0. A file held by another program is retried for a moment.
FileStatus ReadFilePart(FilePlatform& platform, const std::string& path, uint64_t offset,
                        size_t count, std::string& bytes, uint64_t& size);

// Adds the bytes at the end of the file (created when missing) in one write; see
// FilePlatform::Append. A file held by another program is retried for a moment.
FileStatus AppendToFile(FilePlatform& platform, const std::string& path, const std::string& bytes,
                        FlushMode flush = FlushMode::ToDisk);

// Writes the bytes to a temporary file in the same folder, flushes it to disk (unless told
// not to, for benchmarks), and puts it in the place of `path` keeping the old file's
// attributes and security, so that a crash leaves either the old or the new file, never a
// torn one. On failure the old file is untouched and no temporary file is left behind.
// A file marked read-only is never replaced. Temporary files left by writers that were
// killed are removed on the next replace. Where no file can be created beside an existing
// target (a folder the user may not create files in), the file is overwritten in place.
FileStatus ReplaceFileAtomically(FilePlatform& platform, const std::string& path,
                                 const std::string& bytes, FlushMode flush = FlushMode::ToDisk);
FileStatus ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                                 FlushMode flush = FlushMode::ToDisk);

// A one-line reason for the user (UTF-8): the system's text for the error, or the
// program's own where the system gave no code.
std::string DescribeFileError(FilePlatform& platform, const FileError& error);

// Replace and read attempts for a file held by another program, and the wait between them:
// a virus scanner or a sync client lets go within moments, and the caller may be the
// interface thread, so the whole wait stays short.
inline constexpr int kBusyFileAttempts = 4;
inline constexpr int kBusyFileRetryDelayMs = 25;

}  // namespace quorrin
