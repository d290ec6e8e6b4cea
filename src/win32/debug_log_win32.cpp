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

void LogLastError(std::wstring_view place, std::wstring_view function) {
    const DWORD code = GetLastError();
    std::wstring detail;
    if (!function.empty()) {
        detail += function;
        detail += L": ";
    }
    detail += L"failed, error " + std::to_wstring(code) + L": " + SystemErrorText(code);
    LogDebug(place, detail);
}

DebugLogObserver ObserveDebugLog(DebugLogObserver observer) {
    return std::exchange(logObserver, observer);
}

}  // namespace quorrin
