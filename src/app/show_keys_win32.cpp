#include "app/show_keys_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/global_key_win32.h"

namespace quorrin {

namespace {

constexpr ShowKey kShowKeys[] = {ShowKey::Pause, ShowKey::MinuteMore, ShowKey::MinuteLess,
                                 ShowKey::Hide};

}  // namespace

int32_t ShowKeyOf(const TalkSettings& talk, ShowKey key) {
    switch (key) {
        case ShowKey::Pause:
            return talk.PauseKey;
        case ShowKey::MinuteMore:
            return talk.MinuteMoreKey;
        case ShowKey::MinuteLess:
            return talk.MinuteLessKey;
        case ShowKey::Hide:
            return talk.HideKey;
    }
    return 0;
}

std::vector<int32_t> ShowKeys::Register(HWND window, const TalkSettings& talk) {
    Release();
    window_ = window;
    std::vector<int32_t> taken;
    for (const ShowKey key : kShowKeys) {
        const int32_t hotKey = ShowKeyOf(talk, key);
        if (hotKey == kNoGlobalKey) continue;
        if (RegisterGlobalKey(window, static_cast<int>(key), hotKey)) {
            held_.emplace_back(key, hotKey);
        } else {
            LogLastError(L"RegisterHotKey for a key during the show");
            taken.push_back(hotKey);
        }
    }
    return taken;
}

void ShowKeys::Release() {
    for (const auto& [key, hotKey] : held_) UnregisterHotKey(window_, static_cast<int>(key));
    held_.clear();
    window_ = nullptr;
}

bool ShowKeys::Holds(int32_t hotKey) const {
    for (const auto& held : held_) {
        if (held.second == hotKey) return true;
    }
    return false;
}

std::optional<ShowKey> ShowKeys::FromId(WPARAM id) {
    for (const ShowKey key : kShowKeys) {
        if (static_cast<WPARAM>(key) == id) return key;
    }
    return std::nullopt;
}

}  // namespace quorrin
