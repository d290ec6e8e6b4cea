#include "win32/debug_log_win32.h"

#include <windows.h>

#include <string>

namespace quorrin {

void LogDebug(std::wstring_view context, std::wstring_view detail) {
    std::wstring line = L"Quorrin: ";
    line += context;
    line += L": ";
    line += detail;
    line += L"\n";
    OutputDebugStringW(line.c_str());
}

void LogLastError(std::wstring_view context) {
    const DWORD code = GetLastError();
    LogDebug(context, L"failed, error " + std::to_wstring(code));
}

}  // namespace quorrin
