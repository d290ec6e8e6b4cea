#include "tray/tray_menu.h"

namespace quorrin {

std::optional<TrayMenuEntry> TrayMenuEntryFromId(uint32_t commandId) {
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.entry != TrayMenuEntry::Separator &&
            static_cast<uint32_t>(item.entry) == commandId) {
            return item.entry;
        }
    }
    return std::nullopt;
}

}  // namespace quorrin
