// Where and how big the clock windows are: the layout maths of the clock window on the
// primary monitor and of its copies on the other monitors. The style is in twips, which are
// physical (1440 to an inch); each window turns them into pixels at the DPI of the monitor
// it is laid out on, so the clock has the same physical size and place at every scale.
#pragma once

#include "geometry/rect.h"
#include "geometry/units.h"
#include "settings/app_state.h"

#include <cstdint>

namespace quorrin {

// Background of the clock windows; the layered window makes this colour transparent.
inline constexpr uint32_t kTransparentKeyColor = 0x000001;

enum class ClockWindow { Main, Copy };

// The DPIs of the two monitors the clocks are laid out on: the primary one for the clock,
// the one holding the second work area for the copy.
struct ClockDpis {
    int32_t primary = kDefaultDpi;
    int32_t second = kDefaultDpi;
    bool operator==(const ClockDpis&) const = default;
};

// Maps a free position (twips, read at the primary's DPI) on the primary work area to the
// second one (twips at the second's DPI): horizontally within the second area's width,
// offset by its left edge; vertically scaled by the bottom edges. A zero divisor (a window as
// wide as the primary area, or a bottom edge at 0) keeps that coordinate on the second
// area's edge instead of failing. At 96 dpi on both a pixel is 15 twips.
void MapToSecondMonitor(const WorkArea& primary, const WorkArea& second, int32_t left, int32_t top,
                        int32_t width, int32_t& mappedLeft, int32_t& mappedTop,
                        const ClockDpis& dpis = {});

// Where one clock window is laid out: the work area and DPI of its monitor, and those of the
// primary monitor, on which the style's free position is read. A copy's free position is
// mapped from the primary monitor onto its own (MapToSecondMonitor).
struct ClockPlacement {
    WorkArea primary;
    int32_t primaryDpi = kDefaultDpi;
    WorkArea area;
    int32_t dpi = kDefaultDpi;
    bool mapped = false;
    bool operator==(const ClockPlacement&) const = default;
};

// The clock window's rectangle in screen pixels for the display style; `current` is kept
// for a showPos outside 0..4. The size and the free position are converted at the window's
// DPI; the corners are flush with the work area's edges in pixels.
PixelRect ClockPixels(const DisplayStyle& style, const ClockPlacement& placement,
                      const PixelRect& current);

// ClockPixels for the main clock on the primary work area, or its copy on the second one.
PixelRect ClockWindowPixels(const AppState& state, ClockWindow which, const PixelRect& current,
                            const ClockDpis& dpis = {});

// The DPI the window is laid out at.
int32_t ClockDpi(ClockWindow which, const ClockDpis& dpis);

// The layered window's alpha byte for an opacity in percent (above 100 counts as 100).
uint8_t AlphaByte(uint8_t alphaPercent);

// The font height (pixels, positive) at which a text measured `textWidth` × `textHeight`
// pixels with a font `fontHeight` high fits a `boxWidth` × `boxHeight` box: the same height
// when it fits, otherwise scaled down by the tighter of the two ratios and rounded down, and
// never below 1. Text extents do not scale exactly with the height (hinting), so the caller
// measures again and steps down while it still does not fit.
int32_t FittedFontHeight(int32_t fontHeight, int32_t textWidth, int32_t textHeight,
                         int32_t boxWidth, int32_t boxHeight);

}  // namespace quorrin
