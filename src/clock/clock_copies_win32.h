// The copies of the clock on the monitors other than the primary one: one window each, made
// when a monitor first needs it and kept, hidden, when none does any more. The first copy is
// made with the main clock; while no other monitor needs it, it lies on the main clock and
// shows with it.
#pragma once

#include "clock/clock_layout.h"
#include "clock/countdown_window_win32.h"

#include <functional>
#include <memory>
#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kClockCopyClassName = L"Quorrin.ClockCopy";

struct ClockCopy {
    CountdownWindow window;
    ClockPlacement placement;  // where its last layout put it
};

class ClockCopies {
  public:
    // Makes the first copy, hidden, at the style's place converted at `dpi`.
    bool Create(HINSTANCE instance, const DisplayStyle& style, int32_t dpi);
    // Called when a copy's DPI or the display configuration changes, for the copies made
    // later too.
    void OnDisplayChange(std::function<void()> relayout);
    // Makes copies until there are `count`; fewer when one cannot be made (logged).
    void Reserve(size_t count, const DisplayStyle& style);
    void Destroy();

    size_t Count() const { return copies_.size(); }
    ClockCopy& At(size_t index) { return *copies_[index]; }
    const ClockCopy& At(size_t index) const { return *copies_[index]; }

  private:
    bool Add(const DisplayStyle& style, int32_t dpi);

    HINSTANCE instance_ = nullptr;
    std::function<void()> relayout_;
    std::vector<std::unique_ptr<ClockCopy>> copies_;
};

}  // namespace quorrin
