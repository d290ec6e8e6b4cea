#include "settings/file_access.h"

#include "settings/temp_file_name.h"
#include "texts/texts.h"

#include <atomic>

namespace quorrin {
namespace {

bool Retryable(const FileStatus& status, bool deniedToo) {
    const FileErrorKind kind = status.Error().kind;
    return kind == FileErrorKind::Busy || (deniedToo && kind == FileErrorKind::Denied);
}

// Runs `step` until it succeeds, fails for good, or runs out of attempts.
template <typename Step>
FileStatus WithBusyRetry(FilePlatform& platform, bool deniedToo, Step step) {
    for (int attempt = 1;; ++attempt) {
        FileStatus status = step();
        if (status || !Retryable(status, deniedToo) || attempt == kBusyFileAttempts) {
            return status;
        }
        platform.Pause(kBusyFileRetryDelayMs);
    }
}

// Removes a temporary file of a replace. One that cannot be removed now (held by a virus
// scanner, say) only takes a little room, and the next writers try again (below): the
// failure needs no handling here (the Windows platform logs it).
void RemoveTempFile(FilePlatform& platform, const std::string& path) {
    static_cast<void>(platform.Remove(path));
}

// A writer killed between creating its temporary file and the replace leaves the file
// behind; the next writer removes those whose process is gone.
void RemoveStaleTempFiles(FilePlatform& platform, const PathParts& parts) {
    const uint64_t self = platform.CurrentProcessId();
    for (const std::string& name : platform.ListFolder(parts.folder, parts.name + ".")) {
        const std::optional<uint64_t> owner = TempFileOwner(parts.name, name);
        if (owner && *owner != self && !platform.ProcessAlive(*owner)) {
            RemoveTempFile(platform, parts.folder + name);
        }
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (!SystemFilePlatform().Read(path, bytes)) return std::nullopt;
    return bytes;
}

FileStatus ReadFileOrEmpty(FilePlatform& platform, const std::string& path, std::string& bytes) {
    const FileStatus status =
        WithBusyRetry(platform, false, [&] { return platform.Read(path, bytes); });
    if (!status && status.Error().kind == FileErrorKind::Missing) {
        bytes.clear();
        return FileStatus();
    }
    return status;
}

FileStatus ReadFilePart(FilePlatform& platform, const std::string& path, uint64_t offset,
                        size_t count, std::string& bytes, uint64_t& size) {
    const FileStatus status = WithBusyRetry(
        platform, false, [&] { return platform.ReadPart(path, offset, count, bytes, size); });
    if (!status && status.Error().kind == FileErrorKind::Missing) {
        bytes.clear();
        size = 0;
        return FileStatus();
    }
    return status;
}

FileStatus AppendToFile(FilePlatform& platform, const std::string& path, const std::string& bytes,
                        FlushMode flush) {
    return WithBusyRetry(platform, false, [&] { return platform.Append(path, bytes, flush); });
}

FileStatus ReplaceFileAtomically(FilePlatform& platform, const std::string& path,
                                 const std::string& bytes, FlushMode flush) {
    static std::atomic<uint64_t> sequence{0};

    TargetInfo target;
    if (FileStatus inspected = platform.Inspect(path, target); !inspected) return inspected;
    // The user's read-only mark means "leave this file alone": the write fails instead.
    if (target.readOnly) return FileStatus::Failed({FileErrorKind::Denied, 0});

    const PathParts parts = SplitPath(path, platform.Separators());
    RemoveStaleTempFiles(platform, parts);
    const std::string temp =
        parts.folder + MakeTempFileName(parts.name, platform.CurrentProcessId(), ++sequence);

    FileStatus status = platform.CreateNew(temp, bytes, flush, target);
    if (!status) {
        RemoveTempFile(platform, temp);
        // A folder where the user may change the file but not create one beside it. Writing
        // in place is not crash-safe (a crash or power loss mid-write can leave a torn file),
        // but it is what the profile functions always did there, and it is better than never
        // saving at all.
        if (target.exists && status.Error().kind == FileErrorKind::Denied) {
            return WithBusyRetry(platform, false,
                                 [&] { return platform.WriteInPlace(path, bytes, flush); });
        }
        return status;
    }
    // Another program holding the file makes the replace fail with a sharing violation or
    // with access denied, depending on how it opened it; both pass when it lets go.
    status =
        WithBusyRetry(platform, true, [&] { return platform.Replace(temp, path, target, flush); });
    if (!status) RemoveTempFile(platform, temp);
    return status;
}

std::string DescribeFileError(FilePlatform& platform, const FileError& error) {
    if (error.kind == FileErrorKind::BadValue) return std::string(Text(TextId::FileHasBadValue));
    if (error.code == 0 && error.kind == FileErrorKind::Denied) {
        return std::string(Text(TextId::FileReadOnly));
    }
    return platform.ErrorText(error);
}

FileStatus ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                                 FlushMode flush) {
    return ReplaceFileAtomically(SystemFilePlatform(), path, bytes, flush);
}

}  // namespace quorrin
