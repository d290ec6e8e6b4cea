// The tray menu as a popup menu: built from the table in the current language each time it
// opens, popped up at the pointer, and closed again when the user clicks elsewhere. An entry
// whose state changes is given its look before the menu opens.
#pragma once

#include "tray/tray_menu.h"
#include "win32/unique_handle_win32.h"

#include <optional>

namespace quorrin {

class NotifyMenu {
  public:
    // Builds the menu anew in the current language, with the language in force ticked.
    bool Create(LanguageSetting language);
    // The entry's caption, tick and grey from now on.
    void SetLook(TrayMenuEntry entry, const TrayMenuItemLook& look);
    // Shows the menu at the screen point for `owner` and waits for the choice; nothing
    // when the menu was dismissed.
    std::optional<TrayMenuEntry> PopUp(HWND owner, POINT screenPoint) const;

  private:
    UniqueMenu menu_;
};

}  // namespace quorrin
