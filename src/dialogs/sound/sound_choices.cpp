#include "dialogs/sound/sound_choices.h"

#include "settings/config_file.h"

namespace quorrin {

namespace {
// What the check box reports when cleared (BST_UNCHECKED).
constexpr int kCheckCleared = 0;
}  // namespace

std::string SoundPathToKeep(const std::string& picked, const AlternatePathName& alternate) {
    if (picked.empty() || ValueFitsSettings(picked)) return picked;
    if (alternate) {
        const std::string other = alternate(picked);
        if (!other.empty() && ValueFitsSettings(other)) return other;
    }
    return {};
}

bool EndWarningFromCheckState(int checkState) { return checkState != kCheckCleared; }

}  // namespace quorrin
