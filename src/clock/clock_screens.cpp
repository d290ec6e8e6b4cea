#include "clock/clock_screens.h"

#include <algorithm>

namespace quorrin {

namespace {

// The area two rectangles share, in square pixels (0 when they do not meet).
int64_t SharedArea(const WorkArea& a, const WorkArea& b) {
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

size_t PrimaryIndex(std::span<const Screen> screens) {
    const auto primary =
        std::find_if(screens.begin(), screens.end(), [](const Screen& s) { return s.primary; });
    return primary == screens.end() ? 0 : static_cast<size_t>(primary - screens.begin());
}

}  // namespace

std::optional<size_t> ShowScreenOf(std::span<const Screen> screens, const WorkArea& show) {
    if (screens.empty()) return std::nullopt;
    size_t best = PrimaryIndex(screens);
    int64_t bestArea = 0;
    for (size_t i = 0; i < screens.size(); ++i) {
        const int64_t area = SharedArea(screens[i].bounds, show);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

std::vector<size_t> ChosenScreens(std::span<const Screen> screens, uint8_t choice,
                                  const std::optional<WorkArea>& show) {
    std::vector<size_t> chosen;
    if (screens.empty()) return chosen;
    if (screens.size() == 1) return {0};
    const size_t showScreen = show ? *ShowScreenOf(screens, *show) : PrimaryIndex(screens);
    for (size_t i = 0; i < screens.size(); ++i) {
        const bool isShows = i == showScreen;
        switch (static_cast<ClockScreens>(choice)) {
            case ClockScreens::ShowScreen:
                if (isShows) chosen.push_back(i);
                break;
            case ClockScreens::OtherScreens:
                if (!isShows) chosen.push_back(i);
                break;
            default:
                chosen.push_back(i);
                break;
        }
    }
    return chosen;
}

ClockPlan PlanClocks(std::span<const Screen> screens, std::span<const size_t> chosen) {
    ClockPlan plan;
    plan.primary = PrimaryIndex(screens);
    for (const size_t screen : chosen) {
        if (screen == plan.primary) {
            plan.onPrimary = true;
        } else {
            plan.copies.push_back(screen);
        }
    }
    return plan;
}

}  // namespace quorrin
