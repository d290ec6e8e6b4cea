// The few file-system calls the settings file needs, one implementation per platform
// (file_platform_posix.cpp, file_platform_win32.cpp). The crash-safe replace in
// file_access.cpp is written once over them, and tests wrap them to make steps fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

enum class FlushMode { ToDisk, NoFlush };

enum class FileErrorKind {
    Missing,   // no such file or folder
    Busy,      // held by another program (sharing violation, lock); may pass in a moment
    Denied,    // no permission, or a file marked read-only
    BadValue,  // the edit cannot be stored in the file's format (nothing was touched)
    Other,
};

struct FileError {
    FileErrorKind kind = FileErrorKind::Other;
    uint32_t code = 0;  // errno or GetLastError(); 0 for BadValue
};

// Success, or the error of the step that failed. A caller that cannot act on a failure
// still says so (a log line with its context), so it is never dropped unseen.
class [[nodiscard]] FileStatus {
  public:
    FileStatus() = default;
    static FileStatus Failed(FileError error) { return FileStatus(error); }

    explicit operator bool() const { return ok_; }
    bool Ok() const { return ok_; }
    const FileError& Error() const { return error_; }

  private:
    explicit FileStatus(FileError error) : ok_(false), error_(error) {}
    bool ok_ = true;
    FileError error_;
};

// What the replace needs to know about its target before it starts.
struct TargetInfo {
    bool exists = false;
    bool readOnly = false;      // the user's "leave this file alone" mark, or no write access
    uint32_t platformBits = 0;  // POSIX mode or Windows attributes, carried to the new file
};

class FilePlatform {
  public:
    virtual ~FilePlatform() = default;

    // Characters that separate folders in a path.
    virtual std::string_view Separators() const = 0;

    // The whole file. Sharing with other readers and writers (and with a rename over it).
    virtual FileStatus Read(const std::string& path, std::string& bytes) = 0;
    // At most `count` bytes from `offset` (none past the end), and the file's size, for a
    // reader that bounds its work on a huge file.
    virtual FileStatus ReadPart(const std::string& path, uint64_t offset, size_t count,
                                std::string& bytes, uint64_t& size) = 0;
    // Adds the bytes at the end of the file, created when missing, in ONE write call on a
    // file opened for appending, so that a kill or a power loss can tear only these bytes
    // and never what was there before. A short write is a failure.
    virtual FileStatus Append(const std::string& path, const std::string& bytes,
                              FlushMode flush) = 0;
    // A missing target is not an error: `info.exists` is false.
    virtual FileStatus Inspect(const std::string& path, TargetInfo& info) = 0;
    // Creates `path`, which must not exist, with the bytes, flushed to disk when asked, and
    // closes it. `like` is the file it will replace (its mode, on POSIX). A file created and
    // then not completed may be left behind: the caller removes it.
    virtual FileStatus CreateNew(const std::string& path, const std::string& bytes, FlushMode flush,
                                 const TargetInfo& like) = 0;
    // Puts `replacement` in the place of `target` in one step, keeping the target's
    // attributes and security where the target exists.
    virtual FileStatus Replace(const std::string& replacement, const std::string& target,
                               const TargetInfo& original, FlushMode flush) = 0;
    // Overwrites an existing file's content in place, then sets its end and flushes.
    virtual FileStatus WriteInPlace(const std::string& path, const std::string& bytes,
                                    FlushMode flush) = 0;
    virtual FileStatus Remove(const std::string& path) = 0;
    // Names (not paths) of the entries of `folder` (empty: the current folder) that begin
    // with `prefix`; a superset is fine.
    virtual std::vector<std::string> ListFolder(const std::string& folder,
                                                const std::string& prefix) = 0;

    virtual uint64_t CurrentProcessId() = 0;
    virtual bool ProcessAlive(uint64_t processId) = 0;
    // Waits before a retry. Tests make it return at once.
    virtual void Pause(int milliseconds) = 0;

    // The system's text for the error, UTF-8, one line.
    virtual std::string ErrorText(const FileError& error) = 0;
};

// The platform the program runs on.
FilePlatform& SystemFilePlatform();

}  // namespace quorrin
