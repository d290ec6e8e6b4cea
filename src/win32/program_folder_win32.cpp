#include "win32/program_folder_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <windows.h>

namespace quorrin {

namespace {

constexpr size_t kFirstModulePathChars = MAX_PATH;

}  // namespace

// GetModuleFileNameW truncates silently into a short buffer (the result then fills it), so
// the buffer grows until the whole path fits.
std::optional<std::wstring> ProgramPath() {
    for (size_t size = kFirstModulePathChars; size <= kMaxModulePathChars; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(size));
        if (length == 0) {
            LogLastError(L"GetModuleFileNameW");
            return std::nullopt;
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    LogDebug(L"GetModuleFileNameW", L"path longer than the long-path limit");
    return std::nullopt;
}

std::optional<std::string> ProgramFolder() {
    std::optional<std::wstring> path = ProgramPath();
    if (!path) return std::nullopt;
    const size_t separator = path->find_last_of(L"\\/");
    if (separator == std::wstring::npos) return std::nullopt;
    // "C:\Quorrin.exe" keeps "C:\": a bare "C:" would mean the drive's current folder.
    const bool driveRoot = separator == 2 && (*path)[1] == L':';
    path->resize(driveRoot ? separator + 1 : separator);
    return WideToUtf8(*path);
}

}  // namespace quorrin
