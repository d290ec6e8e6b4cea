// Runs this thread's messages until a condition holds, for tests of windows driven by
// timers and posted messages. As in the program's loop, the keys of a settings dialog go
// through its keyboard handling.
#pragma once

#include "dialogs/kit/settings_dialog_win32.h"

#include <windows.h>

#include <chrono>

namespace quorrin::testing {

inline constexpr auto kPumpTimeout = std::chrono::seconds(5);
inline constexpr DWORD kPumpSliceMs = 20;

struct PumpResult {
    bool done = false;    // the condition held before the timeout
    bool quit = false;    // WM_QUIT arrived
    WPARAM quitCode = 0;  // its exit code
};

template <typename Condition>
PumpResult PumpUntil(Condition condition) {
    PumpResult result;
    const auto deadline = std::chrono::steady_clock::now() + kPumpTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                result.quit = true;
                result.quitCode = message.wParam;
                continue;
            }
            if (RouteDialogMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition(result)) {
            result.done = true;
            return result;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMs, QS_ALLINPUT);
    }
    return result;
}

}  // namespace quorrin::testing
