#include "tray/tray_icon_win32.h"

#include <shellapi.h>

namespace quorrin {

namespace {

constexpr UINT kTrayIconId = 1;

template <size_t N>
void CopyCut(wchar_t (&field)[N], const std::wstring& text) {
    lstrcpynW(field, text.c_str(), static_cast<int>(N));
}

}  // namespace

bool TrayIcon::Add(HWND owner, HICON icon, const std::wstring& tip) {
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    CopyCut(data_.szTip, tip);
    return Restore();
}

bool TrayIcon::Restore() {
    if (data_.hWnd == nullptr) return false;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return added_;
}

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    if (!added_) return;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    CopyCut(balloon.szInfoTitle, title);
    CopyCut(balloon.szInfo, text);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::Remove() {
    if (!added_) return;
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

}  // namespace quorrin
