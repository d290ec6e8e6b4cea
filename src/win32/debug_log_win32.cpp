#include "win32/debug_log_win32.h"

#include "win32/system_error_text_win32.h"

#include <windows.h>

#include <string>
#include <utility>

namespace quorrin {

namespace {

DebugLogObserver logObserver = nullptr;

}  // namespace

void LogDebug(std::wstring_view context, std::wstring_view detail) {
    std::wstring line = L"Quorrin: ";
    line += context;
    line += L": ";
    line += detail;
    if (logObserver != nullptr) logObserver(line);
    line += L"\n";
    OutputDebugStringW(line.c_str());
}

namespace {

// The caller's file from the source tree down ("app/main_win32.cpp"): the compiler may give
// it with the whole build machine's path in front.
std::wstring SourcePlace(const std::source_location& where) {
    std::string_view file = where.file_name();
    for (const std::string_view root : {"src/", "src\\"}) {
        if (const size_t at = file.rfind(root); at != std::string_view::npos) {
            file.remove_prefix(at + root.size());
            break;
        }
    }
    // Source file names are ASCII.
    std::wstring place(file.begin(), file.end());
    place += L":" + std::to_wstring(where.line());
    return place;
}

}  // namespace

void LogLastError(std::wstring_view call, std::source_location where) {
    const DWORD code = GetLastError();
    std::wstring detail(call);
    detail += L": failed, error " + std::to_wstring(code) + L": " + SystemErrorText(code);
    LogDebug(SourcePlace(where), detail);
}

DebugLogObserver ObserveDebugLog(DebugLogObserver observer) {
    return std::exchange(logObserver, observer);
}

}  // namespace quorrin
