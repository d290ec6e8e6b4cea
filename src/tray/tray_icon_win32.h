// The program's icon in the notification area: added at start-up with its tip and a
// balloon, put back when the shell starts again, and removed when the object goes. Its
// mouse events arrive at the owner window as kTrayCallbackMessage with the event's message
// code in lParam; the owner hands its messages to HandleMessage.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quorrin {

inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

class TrayIcon {
  public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon resource `iconId` of `module`, loaded at the small-icon size for the
    // owner's DPI; false when the notification area refused it (no shell yet).
    bool Add(HWND owner, HINSTANCE module, WORD iconId, const std::wstring& tip);
    // Called with the pointer's screen position when the user asks for the menu on the icon.
    void OnMenuRequested(std::function<void(POINT)> openMenu) { openMenu_ = std::move(openMenu); }
    // A message of the owner window that concerns the icon: its callback, or TaskbarCreated,
    // which the shell sends to every top-level window when it (and with it the notification
    // area) starts again, and after which the icon is restored. False for other messages.
    bool HandleMessage(UINT message, LPARAM lParam);
    // The icon again at the small-icon size for a new DPI.
    void UpdateIcon(int32_t dpi);
    // After TaskbarCreated: the icon as it was, changed in place when the notification area
    // still holds it, else added again with the last tip and icon.
    bool Restore();
    // A balloon with the information icon over the icon.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    void Remove();
    bool Added() const { return added_; }

  private:
    void LoadIconFor(int32_t dpi);
    // NIM_ADD or NIM_MODIFY with the icon, tip and callback; whether the icon is there now.
    bool Notify(DWORD message);

    // Registered once for the whole run: the same id in every process of the session.
    const UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    std::function<void(POINT)> openMenu_;

    NOTIFYICONDATAW data_{};
    HINSTANCE module_ = nullptr;
    WORD iconId_ = 0;
    UniqueIcon icon_;
    bool added_ = false;
};

}  // namespace quorrin
