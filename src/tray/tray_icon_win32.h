// The program's icon in the notification area: added at start-up with its tip and a
// balloon, and removed when the object goes. Its mouse events arrive at the owner window as
// kTrayCallbackMessage with the event's message code in lParam.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace quorrin {

inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

class TrayIcon {
  public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon; false when the notification area refused it (no shell yet).
    bool Add(HWND owner, HICON icon, const std::wstring& tip);
    // Adds it again with the last tip and icon, after the shell has restarted.
    bool Restore();
    // A balloon with the information icon over the icon.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    void Remove();
    bool Added() const { return added_; }

  private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace quorrin
