// Files for the native build: POSIX calls, so that a crash test can kill a writer at any
// instruction and the durability calls (fsync of the file and of its folder) are the real ones.
#include "settings/file_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

namespace quorrin {
namespace {

constexpr size_t kReadChunkBytes = 64 * 1024;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as any new file
constexpr mode_t kPermissionBits = 07777;
constexpr long kNanosecondsPerMillisecond = 1000 * 1000;
constexpr int kMillisecondsPerSecond = 1000;

class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a failed close can mean the data never got out.
    bool Close() { return close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

class UniqueDir {
  public:
    explicit UniqueDir(DIR* dir) : dir_(dir) {}
    ~UniqueDir() {
        if (dir_ != nullptr) closedir(dir_);
    }
    UniqueDir(const UniqueDir&) = delete;
    UniqueDir& operator=(const UniqueDir&) = delete;

    DIR* Get() const { return dir_; }

  private:
    DIR* dir_;
};

FileStatus Failure(int error) {
    FileErrorKind kind = FileErrorKind::Other;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            kind = FileErrorKind::Missing;
            break;
        case EBUSY:
        case ETXTBSY:
        case EAGAIN:
            kind = FileErrorKind::Busy;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            kind = FileErrorKind::Denied;
            break;
        default:
            break;
    }
    return FileStatus::Failed({kind, static_cast<uint32_t>(error)});
}

FileStatus LastFailure() { return Failure(errno); }

FileStatus ReadAll(int fd, std::string& bytes) {
    bytes.clear();
    char buffer[kReadChunkBytes];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof(buffer));
        if (got == 0) return FileStatus();
        if (got < 0) {
            if (errno == EINTR) continue;
            return LastFailure();
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

FileStatus WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return LastFailure();
        }
        done += static_cast<size_t>(put);
    }
    return FileStatus();
}

std::string FolderOrCurrent(const std::string& folder) { return folder.empty() ? "." : folder; }

// After a rename, the folder's entry must reach the disk too, or a power loss could bring
// back the old name.
void FlushFolderOf(const std::string& path) {
    const size_t cut = path.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : path.substr(0, cut + 1);
    UniqueFd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) fsync(dir.Get());
}

class PosixFilePlatform final : public FilePlatform {
  public:
    std::string_view Separators() const override { return "/"; }

    FileStatus Read(const std::string& path, std::string& bytes) override {
        UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.Valid()) return LastFailure();
        return ReadAll(fd.Get(), bytes);
    }

    FileStatus ReadPart(const std::string& path, uint64_t offset, size_t count, std::string& bytes,
                        uint64_t& size) override {
        bytes.clear();
        size = 0;
        UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd.Valid()) return LastFailure();
        struct stat opened {};
        if (fstat(fd.Get(), &opened) != 0) return LastFailure();
        size = static_cast<uint64_t>(opened.st_size);
        if (offset >= size) return FileStatus();
        bytes.resize(static_cast<size_t>(std::min<uint64_t>(count, size - offset)));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = pread(fd.Get(), bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(offset + done));
            if (got == 0) break;  // the file shrank meanwhile
            if (got < 0) {
                if (errno == EINTR) continue;
                return LastFailure();
            }
            done += static_cast<size_t>(got);
        }
        bytes.resize(done);
        return FileStatus();
    }

    FileStatus Append(const std::string& path, const std::string& bytes, FlushMode flush) override {
        UniqueFd fd(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kNewFileMode));
        if (!fd.Valid()) return LastFailure();
        ssize_t put = -1;
        do {
            put = write(fd.Get(), bytes.data(), bytes.size());
        } while (put < 0 && errno == EINTR);
        if (put < 0) return LastFailure();
        // Only a full disk or a file size limit cuts an append to a regular file short.
        if (static_cast<size_t>(put) != bytes.size()) return Failure(ENOSPC);
        if (flush == FlushMode::ToDisk && fsync(fd.Get()) != 0) return LastFailure();
        if (!fd.Close()) return LastFailure();
        return FileStatus();
    }

    FileStatus Inspect(const std::string& path, TargetInfo& info) override {
        info = TargetInfo{};
        struct stat existing {};
        if (stat(path.c_str(), &existing) != 0) {
            return errno == ENOENT ? FileStatus() : LastFailure();
        }
        info.exists = true;
        info.readOnly = access(path.c_str(), W_OK) != 0;
        info.platformBits = existing.st_mode & kPermissionBits;
        return FileStatus();
    }

    FileStatus CreateNew(const std::string& path, const std::string& bytes, FlushMode flush,
                         const TargetInfo& like) override {
        UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
        if (!fd.Valid()) return LastFailure();
        if (like.exists && fchmod(fd.Get(), static_cast<mode_t>(like.platformBits)) != 0) {
            return LastFailure();
        }
        if (FileStatus written = WriteAll(fd.Get(), bytes); !written) return written;
        if (flush == FlushMode::ToDisk && fsync(fd.Get()) != 0) return LastFailure();
        if (!fd.Close()) return LastFailure();
        return FileStatus();
    }

    FileStatus Replace(const std::string& replacement, const std::string& target, const TargetInfo&,
                       FlushMode flush) override {
        if (rename(replacement.c_str(), target.c_str()) != 0) return LastFailure();
        if (flush == FlushMode::ToDisk) FlushFolderOf(target);
        return FileStatus();
    }

    FileStatus WriteInPlace(const std::string& path, const std::string& bytes,
                            FlushMode flush) override {
        UniqueFd fd(open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!fd.Valid()) return LastFailure();
        if (FileStatus written = WriteAll(fd.Get(), bytes); !written) return written;
        if (ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0) return LastFailure();
        if (flush == FlushMode::ToDisk && fsync(fd.Get()) != 0) return LastFailure();
        if (!fd.Close()) return LastFailure();
        return FileStatus();
    }

    FileStatus Remove(const std::string& path) override {
        return unlink(path.c_str()) == 0 ? FileStatus() : LastFailure();
    }

    std::vector<std::string> ListFolder(const std::string& folder,
                                        const std::string& prefix) override {
        std::vector<std::string> names;
        UniqueDir dir(opendir(FolderOrCurrent(folder).c_str()));
        if (dir.Get() == nullptr) return names;
        while (const dirent* entry = readdir(dir.Get())) {
            const std::string_view name(entry->d_name);
            if (name.substr(0, prefix.size()) == prefix) names.emplace_back(name);
        }
        return names;
    }

    uint64_t CurrentProcessId() override { return static_cast<uint64_t>(getpid()); }

    bool ProcessAlive(uint64_t processId) override {
        if (processId == 0 || processId > static_cast<uint64_t>(INT32_MAX)) return false;
        return kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
    }

    void Pause(int milliseconds) override {
        timespec wait{milliseconds / kMillisecondsPerSecond,
                      (milliseconds % kMillisecondsPerSecond) * kNanosecondsPerMillisecond};
        while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
        }
    }

    std::string ErrorText(const FileError& error) override {
        if (error.code == 0) return std::string();
        return std::strerror(static_cast<int>(error.code));
    }
};

}  // namespace

FilePlatform& SystemFilePlatform() {
    static PosixFilePlatform platform;
    return platform;
}

}  // namespace quorrin
