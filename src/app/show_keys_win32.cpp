#include "app/show_keys_win32.h"

#include "win32/debug_log_win32.h"

namespace quorrin {

namespace {

constexpr ShowKey kShowKeys[] = {ShowKey::Pause, ShowKey::MinuteMore, ShowKey::MinuteLess,
                                 ShowKey::Hide};
// An id only the free-key probe uses (WM_HOTKEY ids of an application are 0..0xBFFF).
constexpr int kProbeId = 0x0BFF;
constexpr int32_t kKeyBits = 0xFF;
constexpr int kModifierShift = 8;

// A key held down repeats; the clock takes one press as one action.
UINT Modifiers(int32_t hotKey) {
    return static_cast<UINT>(hotKey >> kModifierShift) | MOD_NOREPEAT;
}
UINT VirtualKey(int32_t hotKey) { return static_cast<UINT>(hotKey & kKeyBits); }

bool RegisterKey(HWND window, int id, int32_t hotKey) {
    return RegisterHotKey(window, id, Modifiers(hotKey), VirtualKey(hotKey)) != FALSE;
}

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

bool GlobalKeyFree(int32_t hotKey) {
    if (VirtualKey(hotKey) == 0) return true;
    // Registered for this thread alone, and given back at once.
    if (!RegisterKey(nullptr, kProbeId, hotKey)) return false;
    UnregisterHotKey(nullptr, kProbeId);
    return true;
}

std::vector<int32_t> ShowKeys::Register(HWND window, const TalkSettings& talk) {
    Release();
    window_ = window;
    std::vector<int32_t> taken;
    for (const ShowKey key : kShowKeys) {
        const int32_t hotKey = ShowKeyOf(talk, key);
        if (VirtualKey(hotKey) == 0) continue;
        if (RegisterKey(window, static_cast<int>(key), hotKey)) {
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
