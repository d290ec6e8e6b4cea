// The display style dialog without windows: its list items and how they map to the display
// style, the preview of the clock (in twips, from the clock's top-left corner), fitting the
// preview's background around the digits, and the style that Save makes of it all.
#pragma once

#include "geometry/rect.h"
#include "settings/app_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorrin {

// No item of a list is selected.
inline constexpr int kNoListItem = -1;

// The size list: every whole point size from 10 to 150.
inline constexpr int32_t kSmallestFontPoints = 10;
inline constexpr int32_t kLargestFontPoints = 150;

// The opacity list: index n is an opacity of n x 10 percent, from "完全透明" to "不透明".
inline constexpr int32_t kAlphaStepPercent = 10;
inline constexpr int kAlphaItemCount = 11;
std::vector<std::string> AlphaItems();

// The position list: index n is showPos n (the four corners of the screen, then a place of its
// own).
inline constexpr int kPositionItemCount = 5;
std::vector<std::string> PositionItems();

// The screens list: index n is the ClockScreens value n (every screen, the show's, the
// others).
inline constexpr int kScreensItemCount = 3;
std::vector<std::string> ScreensItems();

// Fitting the clock round its digits keeps the margins of the default clock (3000 x 1200
// round 1995 x 840 digits at 480, 200): the digits centred across a width 1000 more than
// theirs (about the default's 480 and 525 a side), 200 below the top edge and 160 above the
// bottom one. So the digits always lie inside the clock, and the default style fitted round
// its own digits comes back close to the default clock's size.
inline constexpr int32_t kPreviewMarginWidthTwips = 1000;
inline constexpr int32_t kPreviewMarginTopTwips = 200;
inline constexpr int32_t kPreviewMarginBottomTwips = 160;

// The texts of the size list, "10" to "150".
std::vector<std::string> FontSizeItems();
// The item of each list that shows a stored value, or kNoListItem when none does.
int FontSizeIndex(int32_t points);
int AlphaIndex(uint8_t alphaPercent);
int PositionIndex(uint8_t showPos);
int ScreensIndex(uint8_t screens);
// The item whose text is `name` exactly (case counts).
int FontIndex(const std::vector<std::string>& fonts, const std::string& name);

// The font list from the faces the system reports: sorted, each name once, and without the
// vertical "@" faces, whose digits would lie on their side.
std::vector<std::string> ScreenFontList(std::vector<std::string> faces);

// The preview: the background shape and the digits, in twips from the clock window's top-left
// corner.
struct StylePreview {
    TwipRect background;
    int32_t backColor = 0;  // its fill, 0x00BBGGRR
    TwipRect digits;
    std::string fontName;    // its font, bold
    int32_t fontPoints = 0;  // its size in points
    int32_t textColor = 0;   // its colour, 0x00BBGGRR
    bool operator==(const StylePreview&) const = default;
};

// ShowStyle's first two steps: the preview as the style stores it.
StylePreview PreviewFromStyle(const DisplayStyle& style);

// The digits size themselves to their text, which measures `textWidthPixels` x `textHeightPixels`
// at `dpi`; its size becomes that in whole twips (halves to the even neighbour). The
// background then takes the digits' size plus the kPreviewMargin* margins, and the digits
// are centred across it, the top margin below its top edge; the background's place stays.
void FitPreviewBackground(StylePreview& preview, int32_t textWidthPixels, int32_t textHeightPixels,
                          int32_t dpi);

// The items chosen in the dialog's lists.
struct StyleListChoices {
    int alpha = kNoListItem;
    int position = kNoListItem;
    int screens = kNoListItem;
};

// Save's fields: everything the preview shows, the opacity, position and screens items (a
// list without a selection keeps the stored value), and the main clock's current place,
// which is stored whatever the position mode.
DisplayStyle StyleFromDialog(const DisplayStyle& stored, const StylePreview& preview,
                             const StyleListChoices& lists, int32_t clockLeftTwips,
                             int32_t clockTopTwips);

}  // namespace quorrin
