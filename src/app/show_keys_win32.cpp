#include "app/show_keys_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/global_key_win32.h"

namespace quorrin {

std::vector<int32_t> ShowKeys::Register(HWND window, const TalkSettings& talk) {
    Release();
    window_ = window;
    std::vector<int32_t> taken;
    for (const ShowKeyRow& row : kShowKeys) {
        const ShowKey key = row.key;
        const int32_t hotKey = talk.*row.field;
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
    for (const ShowKeyRow& row : kShowKeys) {
        if (static_cast<WPARAM>(row.key) == id) return row.key;
    }
    return std::nullopt;
}

}  // namespace quorrin
