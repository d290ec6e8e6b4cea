#include "tray/tray_icon_win32.h"

#include "win32/dpi_win32.h"

#include <shellapi.h>

namespace quorrin {

namespace {

constexpr UINT kTrayIconId = 1;

template <size_t N>
void CopyCut(wchar_t (&field)[N], const std::wstring& text) {
    lstrcpynW(field, text.c_str(), static_cast<int>(N));
}

}  // namespace

bool TrayIcon::Add(HWND owner, HINSTANCE module, WORD iconId, const std::wstring& tip) {
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    module_ = module;
    iconId_ = iconId;
    LoadIconFor(WindowDpi(owner));
    CopyCut(data_.szTip, tip);
    return Notify(NIM_ADD);
}

void TrayIcon::LoadIconFor(int32_t dpi) {
    // The notification area shows small icons: the icon file's image nearest to that size
    // is taken, rather than the large one shrunk by the shell.
    const int width = GetSystemMetricForDpi(SM_CXSMICON, dpi);
    const int height = GetSystemMetricForDpi(SM_CYSMICON, dpi);
    UniqueIcon icon(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON,
                                                  width, height, LR_DEFAULTCOLOR)));
    if (!icon) return;  // the icon in use stays
    data_.hIcon = icon.Get();
    icon_ = std::move(icon);
}

void TrayIcon::UpdateIcon(int32_t dpi) {
    if (module_ == nullptr) return;
    const HICON before = data_.hIcon;
    UniqueIcon old = std::move(icon_);
    LoadIconFor(dpi);
    if (!icon_) icon_ = std::move(old);  // nothing loaded: keep the old one
    if (!added_ || data_.hIcon == before) return;
    NOTIFYICONDATAW update = data_;
    update.uFlags = NIF_ICON;
    Shell_NotifyIconW(NIM_MODIFY, &update);
}

bool TrayIcon::Restore() {
    if (data_.hWnd == nullptr) return false;
    // TaskbarCreated also comes when only the display changed and the icon is still there,
    // where adding it again would fail: an icon that can be changed is kept as it is.
    return Notify(NIM_MODIFY) || Notify(NIM_ADD);
}

bool TrayIcon::Notify(DWORD message) {
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    added_ = Shell_NotifyIconW(message, &data_) != FALSE;
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
