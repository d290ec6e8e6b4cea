#include "tray/tray_menu_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <string>

namespace quorrin {

bool NotifyMenu::Create(LanguageSetting language) {
    menu_.Reset(CreatePopupMenu());
    if (!menu_) return false;
    UniqueMenu languages(CreatePopupMenu());
    if (languages) {
        for (const LanguageMenuItem& item : kLanguageMenuItems) {
            const UINT checked = item.setting == language ? MF_CHECKED : MF_UNCHECKED;
            AppendMenuW(languages.Get(), MF_STRING | checked, static_cast<UINT_PTR>(item.entry),
                        UiText(item.caption).c_str());
        }
    }
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.entry == TrayMenuEntry::Separator) {
            AppendMenuW(menu_.Get(), MF_SEPARATOR, 0, nullptr);
        } else if (item.entry == TrayMenuEntry::Languages) {
            if (!languages) continue;
            const HMENU submenu = languages.Get();
            if (AppendMenuW(menu_.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                            UiText(item.caption).c_str()) != FALSE) {
                languages.Release();  // the menu destroys its submenu
            }
        } else {
            AppendMenuW(menu_.Get(), MF_STRING, static_cast<UINT_PTR>(item.entry),
                        UiText(item.caption).c_str());
        }
    }
    return true;
}

void NotifyMenu::SetLook(TrayMenuEntry entry, const TrayMenuItemLook& look) {
    if (!menu_) return;
    std::wstring caption = Utf8ToWide(look.captionUtf8);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING | MIIM_STATE;
    item.fState =
        (look.checked ? MFS_CHECKED : MFS_UNCHECKED) | (look.grayed ? MFS_GRAYED : MFS_ENABLED);
    item.dwTypeData = caption.data();
    if (SetMenuItemInfoW(menu_.Get(), static_cast<UINT>(entry), FALSE, &item) == FALSE) {
        LogLastError(L"SetMenuItemInfoW for the tray menu");
    }
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
