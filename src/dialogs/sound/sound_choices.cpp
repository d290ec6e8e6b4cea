#include "dialogs/sound/sound_choices.h"

#include "settings/config_file.h"
#include "texts/texts.h"
#include "dialogs/common/file_filter.h"

namespace quorrin {

std::string SoundPathToKeep(const std::string& picked, const AlternatePathName& alternate) {
    if (picked.empty() || ValueFitsSettings(picked)) return picked;
    if (alternate) {
        const std::string other = alternate(picked);
        if (!other.empty() && ValueFitsSettings(other)) return other;
    }
    return {};
}

std::string SoundFileFilter() {
    return FileFilter(Text(TextId::SoundFilesFilter), kSoundFilePatterns);
}

std::string SoundSettingToShow(const std::string& setting) {
    return setting == kDefaultSound ? std::string(Text(TextId::DefaultSound)) : setting;
}

std::string SoundSettingFromShown(const std::string& shown) {
    // A file's path always holds a folder, so it never reads as the default sound's name.
    return shown == Text(TextId::DefaultSound) ? std::string(kDefaultSound) : shown;
}

}  // namespace quorrin
