#include "tray/tray_menu.h"

namespace quorrin {

const TrayMenuRow* TrayMenuRowOfId(uint32_t commandId) {
    for (const TrayMenuRow& row : kTrayMenuRows) {
        if (row.run != nullptr && static_cast<uint32_t>(row.entry) == commandId) return &row;
    }
    return nullptr;
}

bool RunTrayCommand(uint32_t commandId, TrayCommands& commands) {
    const TrayMenuRow* row = TrayMenuRowOfId(commandId);
    if (row == nullptr) return false;
    row->run(commands);
    return true;
}

TrayMenuItemLook TrayMenuLookOf(const TrayMenuRow& row, const TrayCommands& commands) {
    TrayMenuItemLook look = row.look != nullptr ? row.look(commands) : TrayMenuItemLook{};
    if (look.captionUtf8.empty()) look.captionUtf8 = Text(row.caption);
    return look;
}

}  // namespace quorrin
