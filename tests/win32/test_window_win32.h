// Plain top-level windows for the tests: a title, hidden unless asked, destroyed at the end
// of the test.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <string>

namespace quorrin::testing {

inline constexpr const wchar_t* kTestWindowClass = L"Quorrin.TestWindow";

inline void RegisterTestWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTestWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
}

inline UniqueWindow MakeTestWindow(const std::wstring& title, bool visible = false) {
    RegisterTestWindowClass();
    return UniqueWindow(CreateWindowExW(0, kTestWindowClass, title.c_str(),
                                        WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 200, 100,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

// A text unique to this test process, so that windows left by other programs on the shared
// desktop cannot match the test's presentation names.
inline std::wstring UniqueTag(const wchar_t* name) {
    return std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId());
}

}  // namespace quorrin::testing
