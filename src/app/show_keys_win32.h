// The presenter's global keys during a show (pause, one minute more or less, hide): registered
// on the main clock window when a show comes up and released when it goes, so that the rest
// of the time they take nothing from other programs.
#pragma once

#include "settings/app_state.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorrin {

class ShowKeys {
  public:
    ShowKeys() = default;
    ShowKeys(const ShowKeys&) = delete;
    ShowKeys& operator=(const ShowKeys&) = delete;
    ~ShowKeys() { Release(); }

    // Registers every set key on `window`; returns the ones another program holds.
    std::vector<int32_t> Register(HWND window, const TalkSettings& talk);
    void Release();
    // Whether the show's registration holds this key.
    bool Holds(int32_t hotKey) const;
    // The action of a WM_HOTKEY's id, if it is one of these keys.
    static std::optional<ShowKey> FromId(WPARAM id);

  private:
    HWND window_ = nullptr;
    std::vector<std::pair<ShowKey, int32_t>> held_;
};

}  // namespace quorrin
