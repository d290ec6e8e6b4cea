// Where and how big the two clock windows are: the layout maths, in twips, of the clock
// window on the primary monitor and of its copy on the second monitor.
#pragma once

#include "geometry/rect.h"
#include "geometry/units.h"
#include "settings/app_state.h"

#include <cstdint>

namespace quorrin {

// Background of the clock windows; the layered window makes this colour transparent.
inline constexpr uint32_t kTransparentKeyColor = 0x000001;

enum class ClockWindow { Main, Copy };

// Maps a free position on the primary work area to the second one: horizontally within the
// second area's width, offset by its left edge; vertically scaled by the bottom edges. A zero
// divisor (a window as wide as the primary area, or a bottom edge at 0) keeps that coordinate
// on the second area's edge instead of failing.
void MapToSecondMonitor(const WorkArea& primary, const WorkArea& second, int32_t left, int32_t top,
                        int32_t width, int32_t& mappedLeft, int32_t& mappedTop);

// The clock window's rectangle for the display style; `current` is kept for a showPos
// outside 0..4.
TwipRect ClockWindowRect(const AppState& state, ClockWindow which, const TwipRect& current);

// The layered window's alpha byte for an opacity in percent (above 100 counts as 100).
uint8_t AlphaByte(uint8_t alphaPercent);

}  // namespace quorrin
