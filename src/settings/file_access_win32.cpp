// Files for the Windows program: wide-character paths, FlushFileBuffers and MoveFileExW.
#include "settings/file_access.h"

#include "settings/temp_file_name.h"

#include <windows.h>

#include <atomic>
#include <climits>
#include <utility>

namespace quorrin {
namespace {

constexpr DWORD kReadChunkBytes = 64 * 1024;
constexpr DWORD kWriteChunkBytes = 1024 * 1024;
constexpr std::string_view kSeparators = "\\/";
// A virus scanner or indexer may hold the file open for a moment without allowing deletion,
// which makes the replace fail with a sharing violation; it is retried briefly.
constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryDelayMs = 20;

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() { return !Valid() || CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)); }

  private:
    HANDLE handle_;
};

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

class TempFileGuard {
  public:
    explicit TempFileGuard(std::wstring path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!committed_) DeleteFileW(path_.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void Commit() { committed_ = true; }

  private:
    std::wstring path_;
    bool committed_ = false;
};

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<size_t>(INT_MAX)) return std::wstring();
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return std::string();
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string text(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), needed, nullptr, nullptr);
    return text;
}

// Failures stay silent to the user but not to a developer with a debug viewer.
void LogFailure(const wchar_t* step, const std::wstring& path) {
    const DWORD error = GetLastError();
    std::wstring message = L"Quorrin: ";
    message.append(step).append(L" failed for ").append(path);
    message.append(L" (error ").append(std::to_wstring(error)).append(L")\n");
    OutputDebugStringW(message.c_str());
    SetLastError(error);
}

FileHandle OpenForReading(const std::wstring& path) {
    // Share delete too, so that another writer's rename over the file is not blocked.
    return FileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> ReadAll(HANDLE file) {
    std::string bytes;
    char buffer[kReadChunkBytes];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof(buffer), &got, nullptr)) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(buffer, got);
    }
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(
            bytes.size() - done < kWriteChunkBytes ? bytes.size() - done : kWriteChunkBytes);
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

bool ProcessAlive(uint64_t pid) {
    if (pid > MAXDWORD) return false;
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD exitCode = 0;
    const BOOL queried = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return queried && exitCode == STILL_ACTIVE;
}

// A writer killed between creating its temporary file and the rename leaves the file
// behind; the next writer removes those whose process is gone.
void RemoveStaleTempFiles(const PathParts& parts) {
    const std::wstring folder = Widen(parts.folder);
    const std::wstring pattern = folder + Widen(parts.name) + L".*.tmp";
    WIN32_FIND_DATAW found{};
    FindHandle find(FindFirstFileW(pattern.c_str(), &found));
    if (find.Get() == INVALID_HANDLE_VALUE) return;
    const uint64_t self = GetCurrentProcessId();
    do {
        const std::optional<uint64_t> owner = TempFileOwner(parts.name, Narrow(found.cFileName));
        if (owner && *owner != self && !ProcessAlive(*owner)) {
            DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (FindNextFileW(find.Get(), &found));
}

bool MoveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION || attempt == kReplaceAttempts) return false;
        Sleep(kReplaceRetryDelayMs);
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileHandle file = OpenForReading(Widen(path));
    if (!file.Valid()) return std::nullopt;
    return ReadAll(file.Get());
}

std::optional<std::string> ReadFileOrEmpty(const std::string& path) {
    FileHandle file = OpenForReading(Widen(path));
    if (!file.Valid()) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    return ReadAll(file.Get());
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, FlushMode flush) {
    static std::atomic<uint64_t> sequence{0};

    const std::wstring target = Widen(path);
    // MoveFileExW would replace a read-only file on some systems; the user's read-only mark
    // means "leave this file alone", so the write fails instead.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        LogFailure(L"replacing a read-only file", target);
        return false;
    }

    const PathParts parts = SplitPath(path, kSeparators);
    RemoveStaleTempFiles(parts);
    const std::wstring temp =
        Widen(parts.folder + MakeTempFileName(parts.name, GetCurrentProcessId(), ++sequence));

    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        LogFailure(L"CreateFileW", temp);
        return false;
    }
    TempFileGuard guard(temp);
    if (!WriteAll(file.Get(), bytes)) {
        LogFailure(L"WriteFile", temp);
        return false;
    }
    if (flush == FlushMode::ToDisk && !FlushFileBuffers(file.Get())) {
        LogFailure(L"FlushFileBuffers", temp);
        return false;
    }
    if (!file.Close()) {
        LogFailure(L"CloseHandle", temp);
        return false;
    }
    if (!MoveOver(temp, target)) {
        LogFailure(L"MoveFileExW", target);
        return false;
    }
    guard.Commit();
    return true;
}

}  // namespace quorrin
