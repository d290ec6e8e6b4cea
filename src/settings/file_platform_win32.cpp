// Files for the Windows program: wide-character paths, FlushFileBuffers, and a replace by
// one rename that keeps the old file's attributes and access list.
#include "settings/file_platform.h"

#include "win32/debug_log_win32.h"
#include "win32/system_error_text_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace quorrin {
namespace {

constexpr DWORD kReadChunkBytes = 64 * 1024;
constexpr DWORD kWriteChunkBytes = 1024 * 1024;
// Attributes the user or the system may have set on Config.ini that a save must keep.
// (Read-only never gets this far: such a file is not replaced.)
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

FileErrorKind KindOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return FileErrorKind::Missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileErrorKind::Busy;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return FileErrorKind::Denied;
        default:
            return FileErrorKind::Other;
    }
}

// Failures reach the caller as a FileStatus, and a developer's debug viewer as a line.
FileStatus LastFailure(std::wstring_view step, const std::wstring& path) {
    const DWORD error = GetLastError();
    LogDebug(step, path + L" failed, error " + std::to_wstring(error));
    return FileStatus::Failed({KindOf(error), static_cast<uint32_t>(error)});
}

FileStatus ReadAll(HANDLE file, std::string& bytes, const std::wstring& path) {
    bytes.clear();
    char buffer[kReadChunkBytes];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof(buffer), &got, nullptr)) {
            return LastFailure(L"ReadFile", path);
        }
        if (got == 0) return FileStatus();
        bytes.append(buffer, got);
    }
}

FileStatus WriteAll(HANDLE file, const std::string& bytes, const std::wstring& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(
            bytes.size() - done < kWriteChunkBytes ? bytes.size() - done : kWriteChunkBytes);
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &put, nullptr) || put == 0) {
            return LastFailure(L"WriteFile", path);
        }
        done += put;
    }
    return FileStatus();
}

// Flushes (when asked) and closes, reporting either failure: a failed close can mean the
// data never got out.
FileStatus FlushAndClose(UniqueFile& file, FlushMode flush, const std::wstring& path) {
    if (flush == FlushMode::ToDisk && !FlushFileBuffers(file.Get())) {
        return LastFailure(L"FlushFileBuffers", path);
    }
    if (!CloseHandle(file.Release())) return LastFailure(L"CloseHandle", path);
    return FileStatus();
}

// Gives the new file what the user or an administrator set on the old one: its attributes
// (Hidden, say), its access list and its creation time. ReplaceFileW would do this on
// Windows, but under Wine it moves the old file aside before moving the new one in, so a
// crash between the two leaves no file at all; this carry-over followed by one rename is
// atomic on both. Failures here are logged and do not stop the save.
void CarryOver(const std::wstring& from, const std::wstring& to, DWORD attributes) {
    DWORD needed = 0;
    GetFileSecurityW(from.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed > 0) {
        std::vector<unsigned char> descriptor(needed);
        if (GetFileSecurityW(from.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed,
                             &needed)) {
            if (!SetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data())) {
                LogLastError(L"SetFileSecurityW on the new settings file");
            }
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA old{};
    if (GetFileAttributesExW(from.c_str(), GetFileExInfoStandard, &old)) {
        UniqueFile file(CreateFileW(to.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !SetFileTime(file.Get(), &old.ftCreationTime, nullptr, nullptr)) {
            LogLastError(L"SetFileTime on the new settings file");
        }
    }
    const DWORD kept = attributes & kKeptAttributes;
    if (kept != 0 && !SetFileAttributesW(to.c_str(), kept)) {
        LogLastError(L"SetFileAttributesW on the new settings file");
    }
}

class Win32FilePlatform final : public FilePlatform {
  public:
    std::string_view Separators() const override { return "\\/"; }

    FileStatus Read(const std::string& path, std::string& bytes) override {
        const std::wstring wide = Utf8ToWide(path);
        // Share delete too, so that another writer's replace of the file is not blocked.
        UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return LastFailure(L"CreateFileW for reading", wide);
        return ReadAll(file.Get(), bytes, wide);
    }

    FileStatus ReadPart(const std::string& path, uint64_t offset, size_t count, std::string& bytes,
                        uint64_t& size) override {
        bytes.clear();
        size = 0;
        const std::wstring wide = Utf8ToWide(path);
        UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return LastFailure(L"CreateFileW for reading", wide);
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(file.Get(), &length)) return LastFailure(L"GetFileSizeEx", wide);
        size = static_cast<uint64_t>(length.QuadPart);
        if (offset >= size) return FileStatus();
        LARGE_INTEGER start{};
        start.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) {
            return LastFailure(L"SetFilePointerEx", wide);
        }
        bytes.resize(static_cast<size_t>(std::min<uint64_t>(count, size - offset)));
        size_t done = 0;
        while (done < bytes.size()) {
            const auto chunk =
                static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kReadChunkBytes));
            DWORD got = 0;
            if (!ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr)) {
                return LastFailure(L"ReadFile", wide);
            }
            if (got == 0) break;  // the file shrank meanwhile
            done += got;
        }
        bytes.resize(done);
        return FileStatus();
    }

    FileStatus Append(const std::string& path, const std::string& bytes, FlushMode flush) override {
        const std::wstring wide = Utf8ToWide(path);
        // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end, whoever
        // else appends. Readers may share the file meanwhile.
        UniqueFile file(CreateFileW(wide.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return LastFailure(L"CreateFileW for appending", wide);
        DWORD put = 0;
        if (bytes.size() > MAXDWORD ||
            !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr)) {
            return LastFailure(L"WriteFile", wide);
        }
        if (put != bytes.size()) {
            SetLastError(ERROR_DISK_FULL);
            return LastFailure(L"WriteFile (cut short)", wide);
        }
        return FlushAndClose(file, flush, wide);
    }

    FileStatus Inspect(const std::string& path, TargetInfo& info) override {
        info = TargetInfo{};
        const std::wstring wide = Utf8ToWide(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            if (KindOf(error) == FileErrorKind::Missing) return FileStatus();
            return LastFailure(L"GetFileAttributesW", wide);
        }
        info.exists = true;
        // ReplaceFileW and MoveFileExW would replace a read-only file on some systems.
        info.readOnly = (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
        info.platformBits = attributes;
        return FileStatus();
    }

    FileStatus CreateNew(const std::string& path, const std::string& bytes, FlushMode flush,
                         const TargetInfo&) override {
        const std::wstring wide = Utf8ToWide(path);
        UniqueFile file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return LastFailure(L"CreateFileW for the temporary file", wide);
        if (FileStatus written = WriteAll(file.Get(), bytes, wide); !written) return written;
        return FlushAndClose(file, flush, wide);
    }

    FileStatus Replace(const std::string& replacement, const std::string& target,
                       const TargetInfo& original, FlushMode) override {
        const std::wstring from = Utf8ToWide(replacement);
        const std::wstring to = Utf8ToWide(target);
        if (original.exists) CarryOver(to, from, original.platformBits);
        if (!MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return LastFailure(L"MoveFileExW", to);
        }
        return FileStatus();
    }

    FileStatus WriteInPlace(const std::string& path, const std::string& bytes,
                            FlushMode flush) override {
        const std::wstring wide = Utf8ToWide(path);
        UniqueFile file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return LastFailure(L"CreateFileW for writing in place", wide);
        if (FileStatus written = WriteAll(file.Get(), bytes, wide); !written) return written;
        if (!SetEndOfFile(file.Get())) return LastFailure(L"SetEndOfFile", wide);
        return FlushAndClose(file, flush, wide);
    }

    FileStatus Remove(const std::string& path) override {
        const std::wstring wide = Utf8ToWide(path);
        if (!DeleteFileW(wide.c_str())) {
            const DWORD error = GetLastError();
            return FileStatus::Failed({KindOf(error), static_cast<uint32_t>(error)});
        }
        return FileStatus();
    }

    std::vector<std::string> ListFolder(const std::string& folder,
                                        const std::string& prefix) override {
        std::vector<std::string> names;
        const std::wstring pattern = Utf8ToWide(folder + prefix) + L"*";
        WIN32_FIND_DATAW found{};
        UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
        if (!find) return names;
        do {
            names.push_back(WideToUtf8(found.cFileName));
        } while (FindNextFileW(find.Get(), &found));
        return names;
    }

    uint64_t CurrentProcessId() override { return GetCurrentProcessId(); }

    bool ProcessAlive(uint64_t processId) override {
        if (processId > MAXDWORD) return false;
        UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId)));
        if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
        DWORD exitCode = 0;
        return GetExitCodeProcess(process.Get(), &exitCode) && exitCode == STILL_ACTIVE;
    }

    void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }

    std::string ErrorText(const FileError& error) override {
        return WideToUtf8(SystemErrorText(error.code));
    }
};

}  // namespace

FilePlatform& SystemFilePlatform() {
    static Win32FilePlatform platform;
    return platform;
}

}  // namespace quorrin
