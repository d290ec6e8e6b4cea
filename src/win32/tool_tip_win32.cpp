#include "win32/tool_tip_win32.h"

#include "win32/debug_log_win32.h"

#include <commctrl.h>

namespace quorrin {

namespace {

// The tool: the control itself, named by its handle (plain tip), or the control's client
// area as tool 0 of the control (balloon, which subclasses the control to see its mouse).
TOOLINFOW ToolOf(HWND control, bool balloon, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every comctl32 version
    if (balloon) {
        tool.uFlags = TTF_SUBCLASS | TTF_CENTERTIP;
        tool.hwnd = control;
        tool.uId = 0;
        GetClientRect(control, &tool.rect);
    } else {
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
    }
    tool.hinst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE));
    tool.lpszText = text;
    return tool;
}

}  // namespace

void ToolTip::Set(HINSTANCE instance, HWND control, const std::wstring& text,
                  const ToolTipLook& look) {
    if (text.empty()) {
        window_.Reset();
        return;
    }
    std::wstring shown = text;  // the tooltip copies the text; the call wants it writable
    if (window_ && balloon_ == look.balloon) {
        TOOLINFOW tool = ToolOf(control, balloon_, shown.data());
        SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    balloon_ = look.balloon;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const DWORD style = WS_POPUP | TTS_ALWAYSTIP | (look.balloon ? TTS_BALLOON : 0);
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                                  instance, nullptr));
    if (!window_) {
        LogLastError(L"CreateWindowExW for a tool tip");
        return;
    }
    SetWindowPos(window_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOW tool = ToolOf(control, balloon_, shown.data());
    SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (look.maxWidthPixels > 0) {
        SendMessageW(window_.Get(), TTM_SETMAXTIPWIDTH, 0, look.maxWidthPixels);
    }
    if (look.backColor != kSystemTipColor) {
        SendMessageW(window_.Get(), TTM_SETTIPBKCOLOR, look.backColor, 0);
    }
    if (look.textColor != kSystemTipColor) {
        SendMessageW(window_.Get(), TTM_SETTIPTEXTCOLOR, look.textColor, 0);
    }
}

void ToolTip::FitToControl(HWND control) const {
    if (!window_ || !balloon_) return;
    TOOLINFOW tool = ToolOf(control, true, nullptr);
    SendMessageW(window_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!window_ || balloon_ || message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
    MSG relayed{};
    relayed.hwnd = control;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    SendMessageW(window_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace quorrin
