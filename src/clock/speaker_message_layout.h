// The timekeeper's message beside the clock, without the windows: the text as it is shown,
// the font size it is drawn at, and where it goes next to its clock. Pixels of the virtual
// screen; the window side converts the twips and points below at the monitor's DPI.
#pragma once

#include "geometry/rect.h"
#include "settings/app_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorrin {

// The longest message shown, in characters (code points).
inline constexpr size_t kMaxMessageChars = 80;
// The message's font: the clock's face, bold, this size at most, made smaller (down to the
// least size) while the text would take more lines than kMaxMessageLines.
inline constexpr int32_t kMessageFontPoints = 28;
inline constexpr int32_t kLeastMessageFontPoints = 18;
inline constexpr int32_t kMaxMessageLines = 3;
// The band of background around the text, and the space between the clock and the message.
inline constexpr int32_t kMessageMarginTwips = 180;
inline constexpr int32_t kMessageGapTwips = 90;
// White text on dark amber (0x00BBGGRR): it stands out from a slide and from the clock.
inline constexpr int32_t kMessageBackColor = 0x00004B96;
inline constexpr int32_t kMessageTextColor = 0x00FFFFFF;

// The text as it is shown: a run of spaces, tabs and line breaks becomes one space, other
// control characters go, spaces at either end go. A longer text than kMaxMessageChars
// characters is cut to that many with "…" at the end, after the last whole word when that is
// near enough, else between two characters (never inside one). Only spaces means no message.
std::string MessageText(std::string_view utf8);

// The text measured wrapped inside `wrapWidth` pixels with a font `fontHeight` pixels high:
// its size and how many lines it takes.
struct MeasuredText {
    int32_t width = 0;
    int32_t height = 0;
    int32_t lines = 0;
};
using MeasureText = std::function<MeasuredText(int32_t fontHeight, int32_t wrapWidth)>;

// The font height for the text: from `fontHeight` down, one pixel at a time, the first at
// which it takes at most kMaxMessageLines lines in `wrapWidth`; `leastFontHeight` when none
// does (the text then takes more lines rather than being cut).
int32_t MessageFontHeight(const MeasureText& measure, int32_t fontHeight, int32_t leastFontHeight,
                          int32_t wrapWidth);

// The widest the message may be on a monitor: half of its work area.
int32_t MaxMessageWidth(const WorkArea& work);

// Where a `width` × `height` message goes next to `clock`: below it, `gap` pixels away, when
// that fits in the work area, otherwise above it when that fits, otherwise on the side with
// more room, pushed inside the work area. Its left edge is the clock's when it stays inside
// the work area that way, otherwise its right edge is the clock's; never past the work area's
// edges while it is not larger than the area.
PixelRect MessageBesideClock(const PixelRect& clock, const WorkArea& work, int32_t width,
                             int32_t height, int32_t gap);

}  // namespace quorrin
