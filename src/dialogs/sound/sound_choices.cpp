#include "dialogs/sound/sound_choices.h"

#include "settings/config_file.h"
#include "settings/text_codec.h"
#include "texts/texts.h"
#include "dialogs/common/file_filter.h"

namespace quorrin {

namespace {
// What the check box reports when cleared (BST_UNCHECKED).
constexpr int kCheckCleared = 0;
}  // namespace

bool StorableInSettings(std::string_view utf8) {
    if (utf8.find('\0') != std::string_view::npos) return false;
    const std::string gbk = Utf8ToGbk(utf8);
    return gbk.size() <= kMaxSettingBytes && GbkToUtf8(gbk) == utf8;
}

std::string SoundPathToKeep(const std::string& picked, const AlternatePathName& alternate) {
    if (picked.empty() || StorableInSettings(picked)) return picked;
    if (alternate) {
        const std::string other = alternate(picked);
        if (!other.empty() && StorableInSettings(other)) return other;
    }
    return {};
}

bool EndWarningFromCheckState(int checkState) { return checkState != kCheckCleared; }

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
