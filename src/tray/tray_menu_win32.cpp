#include "tray/tray_menu_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <string>

namespace quorrin {

namespace {

void AppendRow(HMENU menu, const TrayMenuRow& row, const TrayCommands& commands) {
    const TrayMenuItemLook look = TrayMenuLookOf(row, commands);
    const UINT flags =
        MF_STRING | (look.checked ? MF_CHECKED : MF_UNCHECKED) | (look.grayed ? MF_GRAYED : 0);
    if (AppendMenuW(menu, flags, static_cast<UINT_PTR>(row.entry),
                    Utf8ToWide(look.captionUtf8).c_str()) == FALSE) {
        LogLastError(L"AppendMenuW for tray menu entry " +
                     std::to_wstring(static_cast<int>(row.entry)));
    }
}

// A submenu whose entry cannot be added is left out with its rows.
HMENU AppendSubmenu(HMENU menu, const TrayMenuRow& row) {
    UniqueMenu submenu(CreatePopupMenu());
    if (!submenu) {
        LogLastError(L"CreatePopupMenu for a tray submenu");
        return nullptr;
    }
    if (AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()),
                    UiText(row.caption).c_str()) == FALSE) {
        LogLastError(L"AppendMenuW for a tray submenu");
        return nullptr;
    }
    return submenu.Release();  // the menu destroys its submenu
}

UniqueMenu BuildMenu(const TrayCommands& commands) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        LogLastError(L"CreatePopupMenu for the tray menu");
        return menu;
    }
    HMENU submenu = nullptr;
    for (const TrayMenuRow& row : kTrayMenuRows) {
        switch (row.kind) {
            case TrayMenuRowKind::Command:
                AppendRow(menu.Get(), row, commands);
                break;
            case TrayMenuRowKind::Separator:
                if (AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr) == FALSE) {
                    LogLastError(L"AppendMenuW for a tray menu separator");
                }
                break;
            case TrayMenuRowKind::Submenu:
                submenu = AppendSubmenu(menu.Get(), row);
                break;
            case TrayMenuRowKind::SubmenuCommand:
                if (submenu != nullptr) AppendRow(submenu, row, commands);
                break;
        }
    }
    return menu;
}

}  // namespace

bool OpenTrayMenu(HWND owner, POINT screenPoint, TrayCommands& commands) {
    // Built anew each time: in the language chosen last, with the looks as they are now.
    const UniqueMenu menu = BuildMenu(commands);
    if (!menu) return false;
    // Without the owner in the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         screenPoint.x, screenPoint.y, 0, owner, nullptr));
    // Lets the menu go for good when it was dismissed through another window.
    PostMessageW(owner, WM_NULL, 0, 0);
    RunTrayCommand(chosen, commands);
    return true;
}

}  // namespace quorrin
