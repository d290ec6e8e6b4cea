// The tray menu as a popup menu: built from the table's rows in the current language each
// time it opens, with each row's look as it is now, popped up at the pointer, and closed
// again when the user clicks elsewhere.
#pragma once

#include "tray/tray_menu.h"

#include <windows.h>

namespace quorrin {

// Opens the menu at the screen point for `owner`, waits for the choice and runs its command;
// false when the menu could not be made.
bool OpenTrayMenu(HWND owner, POINT screenPoint, TrayCommands& commands);

}  // namespace quorrin
