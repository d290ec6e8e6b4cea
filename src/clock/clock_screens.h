// Which monitors get a clock during a show: the choice in the display style, the monitors as
// the system lists them and the show window's place give the monitors the clock shows on.
#pragma once

#include "settings/app_state.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace quorrin {

// One monitor: its whole area and its work area (pixels of the virtual screen), and whether
// it is the primary one.
struct Screen {
    WorkArea bounds;
    WorkArea work;
    bool primary = false;
    bool operator==(const Screen&) const = default;
};

// The monitor holding the show window: the one it overlaps most (the first of equals), or
// when it overlaps none, the primary monitor (the first monitor without a primary one).
// Nothing without monitors.
std::optional<size_t> ShowScreenOf(std::span<const Screen> screens, const WorkArea& show);

// The monitors that show the clock, as indexes into `screens` in their order. Without the
// show window's place the primary monitor counts as the show's screen. With one monitor every
// choice gives that monitor; an unknown choice counts as every monitor.
std::vector<size_t> ChosenScreens(std::span<const Screen> screens, uint8_t choice,
                                  const std::optional<WorkArea>& show);

// The clock windows for the chosen monitors: the main clock on the primary monitor when that
// is chosen, and one copy on each other chosen monitor, in their order. Without a primary
// monitor the first one counts as primary.
struct ClockPlan {
    size_t primary = 0;  // index of the primary monitor
    bool onPrimary = false;
    std::vector<size_t> copies;  // the monitor of each copy
    bool operator==(const ClockPlan&) const = default;
};
ClockPlan PlanClocks(std::span<const Screen> screens, std::span<const size_t> chosen);

}  // namespace quorrin
