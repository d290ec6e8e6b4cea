#include "tray/tray_icon_win32.h"

#include "tray/tray_menu.h"
#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"

#include <shellapi.h>

#include <source_location>

namespace quorrin {

namespace {

constexpr UINT kTrayIconId = 1;

template <size_t N>
void CopyCut(wchar_t (&field)[N], const std::wstring& text) {
    lstrcpynW(field, text.c_str(), static_cast<int>(N));
}

// Shell_NotifyIconW, with a failure logged under the command's name and the caller's place.
bool NotifyShell(DWORD message, NOTIFYICONDATAW& data, const wchar_t* call,
                 std::source_location where = std::source_location::current()) {
    if (Shell_NotifyIconW(message, &data) != FALSE) return true;
    LogLastError(call, where);
    return false;
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
    if (Notify(NIM_ADD)) return true;
    LogLastError(L"Shell_NotifyIconW(NIM_ADD)");
    return false;
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
    NotifyShell(NIM_MODIFY, update, L"Shell_NotifyIconW(NIM_MODIFY) for the icon");
}

bool TrayIcon::Restore() {
    if (data_.hWnd == nullptr) return false;
    // TaskbarCreated also comes when only the display changed and the icon is still there,
    // where adding it again would fail: an icon that can be changed is kept as it is.
    if (Notify(NIM_MODIFY) || Notify(NIM_ADD)) return true;
    LogLastError(L"Shell_NotifyIconW(NIM_MODIFY, then NIM_ADD)");
    return false;
}

bool TrayIcon::HandleMessage(UINT message, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        POINT at{};
        if (IconEventOpensMenu(LOWORD(lParam)) && openMenu_ && GetCursorPos(&at) != FALSE) {
            openMenu_(at);
        }
        return true;
    }
    if (message != taskbarCreated_ || taskbarCreated_ == 0) return false;
    Restore();  // a failure is logged; the icon comes back at the shell's next start
    return true;
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
    NotifyShell(NIM_MODIFY, balloon, L"Shell_NotifyIconW(NIM_MODIFY) for the balloon");
}

void TrayIcon::Remove() {
    if (!added_) return;
    NotifyShell(NIM_DELETE, data_, L"Shell_NotifyIconW(NIM_DELETE)");
    added_ = false;
}

}  // namespace quorrin
