// Times one opening of a settings dialog from the tray menu: clicks the open menu's entry
// at a screen point and polls about every millisecond until the dialog's window is visible
// and it and every child have painted (no update region left).
//
//   dialog-latency.exe X Y CLASS [TIMEOUT_MS]
//
// Needs the tray menu already open. Prints the milliseconds from the click to the painted
// dialog (QueryPerformanceCounter). Exit code 0, 2 usage, 4 timed out.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitTimedOut = 4;
constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 1;

double NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK ChildPainted(HWND child, LPARAM painted) {
    if (IsWindowVisible(child) != FALSE && GetUpdateRect(child, nullptr, FALSE) != FALSE) {
        *reinterpret_cast<bool*>(painted) = false;
        return FALSE;
    }
    return TRUE;
}

bool Painted(HWND dialog) {
    if (IsWindowVisible(dialog) == FALSE || GetUpdateRect(dialog, nullptr, FALSE) != FALSE) {
        return false;
    }
    bool painted = true;
    EnumChildWindows(dialog, &ChildPainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("dialog-latency.exe X Y CLASS [TIMEOUT_MS]\n", stdout);
        return kExitUsage;
    }
    const int x = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    const int y = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const wchar_t* className = argv[3];
    const DWORD timeoutMs = argc > 4 ? std::wcstoul(argv[4], nullptr, 10) : kDefaultTimeoutMs;
    timeBeginPeriod(1);
    const double start = NowMs();
    ClickAt(x, y);
    int result = kExitTimedOut;
    while (NowMs() - start < timeoutMs) {
        const HWND dialog = FindWindowW(className, nullptr);
        if (dialog != nullptr && Painted(dialog)) {
            std::printf("%.1f\n", NowMs() - start);
            result = kExitOk;
            break;
        }
        Sleep(kPollMs);
    }
    timeEndPeriod(1);
    return result;
}
