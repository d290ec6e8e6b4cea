#include "tray/tray_menu_win32.h"

#include "win32/wide_text_win32.h"

namespace quorrin {

bool NotifyMenu::Create() {
    menu_.Reset(CreatePopupMenu());
    if (!menu_) return false;
    for (const TrayMenuItem& item : kTrayMenuItems) {
        AppendMenuW(menu_.Get(), MF_STRING, static_cast<UINT_PTR>(item.entry),
                    Utf8ToWide(item.captionUtf8).c_str());
    }
    return true;
}

std::optional<TrayMenuEntry> NotifyMenu::PopUp(HWND owner, POINT screenPoint) const {
    if (!menu_) return std::nullopt;
    // Without the owner in the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu_.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, screenPoint.x,
                       screenPoint.y, 0, owner, nullptr));
    // Lets the menu go for good when it was dismissed through another window.
    PostMessageW(owner, WM_NULL, 0, 0);
    return TrayMenuEntryFromId(chosen);
}

}  // namespace quorrin
