#include "dialogs/sound/sound_choices.h"

#include "settings/config_file.h"
#include "settings/text_codec.h"

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

}  // namespace quorrin
