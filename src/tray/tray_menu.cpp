#include "tray/tray_menu.h"

namespace quorrin {

std::optional<TrayMenuEntry> TrayMenuEntryFromId(uint32_t commandId) {
    for (const TrayMenuItem& item : kTrayMenuItems) {
        const bool chosen =
            item.entry != TrayMenuEntry::Separator && item.entry != TrayMenuEntry::Languages;
        if (chosen && static_cast<uint32_t>(item.entry) == commandId) return item.entry;
    }
    for (const LanguageMenuItem& item : kLanguageMenuItems) {
        if (static_cast<uint32_t>(item.entry) == commandId) return item.entry;
    }
    return std::nullopt;
}

std::optional<LanguageSetting> LanguageOfEntry(TrayMenuEntry entry) {
    for (const LanguageMenuItem& item : kLanguageMenuItems) {
        if (item.entry == entry) return item.setting;
    }
    return std::nullopt;
}

}  // namespace quorrin
