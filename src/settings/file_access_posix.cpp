// Files for the native build: POSIX calls, so that a crash test can kill a writer at any
// instruction and the durability calls (fsync of the file and of its folder) are the real ones.
#include "settings/file_access.h"

#include "settings/temp_file_name.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

namespace quorrin {
namespace {

constexpr size_t kReadChunkBytes = 64 * 1024;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as any new file
constexpr std::string_view kSeparators = "/";

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

// Removes the temporary file unless the replace went through.
class TempFileGuard {
  public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!committed_) unlink(path_.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void Commit() { committed_ = true; }

  private:
    std::string path_;
    bool committed_ = false;
};

std::optional<std::string> ReadAll(int fd) {
    std::string bytes;
    char buffer[kReadChunkBytes];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof(buffer));
        if (got == 0) return bytes;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

bool ProcessAlive(uint64_t pid) {
    if (pid == 0 || pid > static_cast<uint64_t>(INT32_MAX)) return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A writer killed between creating its temporary file and the rename leaves the file
// behind; the next writer removes those whose process is gone.
void RemoveStaleTempFiles(const PathParts& parts) {
    const std::string folder = parts.folder.empty() ? "." : parts.folder;
    UniqueDir dir(opendir(folder.c_str()));
    if (dir.Get() == nullptr) return;
    const auto self = static_cast<uint64_t>(getpid());
    while (const dirent* entry = readdir(dir.Get())) {
        const std::optional<uint64_t> owner = TempFileOwner(parts.name, entry->d_name);
        if (owner && *owner != self && !ProcessAlive(*owner)) {
            unlink((parts.folder + entry->d_name).c_str());
        }
    }
}

// After the rename, the folder's entry must reach the disk too, or a power loss could
// bring back the old name.
void FlushFolder(const PathParts& parts) {
    const std::string folder = parts.folder.empty() ? "." : parts.folder;
    UniqueFd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) fsync(dir.Get());
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) return std::nullopt;
    return ReadAll(fd.Get());
}

std::optional<std::string> ReadFileOrEmpty(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    return ReadAll(fd.Get());
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, FlushMode flush) {
    static std::atomic<uint64_t> sequence{0};

    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    // Like the Windows side, a file the user made read-only stays as it is.
    if (exists && access(path.c_str(), W_OK) != 0) return false;

    const PathParts parts = SplitPath(path, kSeparators);
    RemoveStaleTempFiles(parts);
    const std::string tempPath =
        parts.folder + MakeTempFileName(parts.name, static_cast<uint64_t>(getpid()), ++sequence);

    UniqueFd fd(open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
    if (!fd.Valid()) return false;
    TempFileGuard guard(tempPath);
    if (exists && fchmod(fd.Get(), existing.st_mode & 07777) != 0) return false;
    if (!WriteAll(fd.Get(), bytes)) return false;
    if (flush == FlushMode::ToDisk && fsync(fd.Get()) != 0) return false;
    if (!fd.Close()) return false;
    if (rename(tempPath.c_str(), path.c_str()) != 0) return false;
    guard.Commit();
    if (flush == FlushMode::ToDisk) FlushFolder(parts);
    return true;
}

}  // namespace quorrin
