#include "controls/image_button/button_tooltip_win32.h"

#include "win32/debug_log_win32.h"

#include <commctrl.h>

namespace quorrin {

void ButtonToolTip::Set(HINSTANCE instance, HWND button, const std::wstring& text) {
    if (text.empty()) {
        window_.Reset();
        return;
    }
    std::wstring shown = text;  // the tooltip copies the text; the call wants it writable
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every comctl32 version
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(button);
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = shown.data();
    if (window_) {
        SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  button, nullptr, instance, nullptr));
    if (!window_) {
        LogLastError(L"ButtonToolTip: CreateWindowExW");
        return;
    }
    SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ButtonToolTip::Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!window_ || message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
    MSG relayed{};
    relayed.hwnd = button;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    SendMessageW(window_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace quorrin
