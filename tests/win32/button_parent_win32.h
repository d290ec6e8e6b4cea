// The parent window of a button under test: shown far from the pointer, so that no real
// mouse movement reaches the button, it records every WM_COMMAND the button sends. Deliver
// posts messages to the button and returns once they, and all they cause, are handled.
#pragma once

#include "win32/unique_handle_win32.h"

#include "message_pump_win32.h"

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace quorrin::testing {

// A message as posted to a window, or as a parent was told of it.
struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ButtonParent {
  public:
    // Creates the window; false when it could not.
    bool Create() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &ButtonParent::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);  // fails harmlessly when already registered
        SetCursorPos(0, 0);
        window_.Reset(CreateWindowExW(0, kClass, L"buttons", WS_POPUP | WS_VISIBLE, kLeft, kTop,
                                      kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
        if (!window_) return false;
        SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return true;
    }

    HWND Handle() const { return window_.Get(); }
    const std::vector<Notice>& Notices() const { return notices_; }
    // The WM_COMMANDs of BN_CLICKED from control `id`.
    int Clicks(int id) const {
        int clicks = 0;
        for (const Notice& n : notices_) {
            if (n.message == WM_COMMAND && n.wParam == MAKEWPARAM(id, BN_CLICKED)) ++clicks;
        }
        return clicks;
    }

    // Posts `messages` to `button`, then a marker to itself, and handles messages until the
    // marker arrives; false when it did not.
    bool Deliver(HWND button, std::initializer_list<Notice> messages) {
        for (const Notice& m : messages) PostMessageW(button, m.message, m.wParam, m.lParam);
        markerSeen_ = false;
        PostMessageW(window_.Get(), kMarker, 0, 0);
        return PumpUntil([&](const PumpResult&) { return markerSeen_; }).done;
    }

  private:
    static constexpr const wchar_t* kClass = L"Quorrin.ButtonTestParent";
    static constexpr UINT kMarker = WM_APP + 1;  // posted last: all earlier posted input is handled
    static constexpr int kLeft = 900;
    static constexpr int kTop = 600;
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 120;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ButtonParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_COMMAND) {
            self->notices_.push_back({message, wParam, lParam});
            return 0;
        }
        if (self != nullptr && message == kMarker) self->markerSeen_ = true;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    UniqueWindow window_;
    std::vector<Notice> notices_;
    bool markerSeen_ = false;
};

}  // namespace quorrin::testing
