// Where the parts of the image button go: the layout maths, in twips, of its caption, icon,
// border and hover picture, and which stored picture each look uses. No windows.h here; the
// Win32 control measures the caption and converts the result to pixels where it paints.
#pragma once

#include "geometry/rect.h"
#include "geometry/units.h"

#include <cstdint>

namespace quorrin {

// The hover picture leaves this margin free inside the button's edge.
inline constexpr int32_t kHoverMarginTwips = 20;
// The border grows one pixel wider for every full step of this much button height.
inline constexpr int32_t kBorderStepTwips = 500;
inline constexpr int32_t kInitialBorderWidthPixels = 1;
// Diameter of the border's rounded corners.
inline constexpr int32_t kBorderCornerTwips = 120;

// Style: 0 shows no icon, 1..kMaxButtonStyle show icon Style - 1.
inline constexpr int32_t kMaxButtonStyle = 6;
// OverColor: 0..kMaxOverColor choose the hover picture.
inline constexpr int32_t kMaxOverColor = 4;

// The stored pictures: backgrounds and hover pictures share one numbering, icons another.
inline constexpr int32_t kBackgroundPictureCount = 7;
inline constexpr int32_t kIconPictureCount = 6;
inline constexpr int32_t kNormalBackgroundPicture = 0;
inline constexpr int32_t kPressedBackgroundPicture = 1;
inline constexpr int32_t kFirstHoverPicture = 2;
inline constexpr int32_t kNoPicture = -1;

// A rectangle relative to the button's top-left corner (twips or pixels, as named).
using ButtonBox = Rect;

struct ButtonLayout {
    ButtonBox captionTwips;
    ButtonBox iconTwips;               // empty when no icon is shown
    int32_t iconPicture = kNoPicture;  // stored icon shown above the caption
    int32_t borderWidthPixels = kInitialBorderWidthPixels;
};

// The border width for a button this high: height / 500 rounded when that is above 1,
// otherwise the width it has now (a border never shrinks back below an earlier width).
int32_t BorderWidthPixels(int32_t heightTwips, int32_t currentWidthPixels);

// Lays out a button of the given size with a caption of the given (measured) size. `style`
// is the Style property taken as a byte; a style without a stored icon shows none.
ButtonLayout LayoutButton(int32_t widthTwips, int32_t heightTwips, int32_t captionWidthTwips,
                          int32_t captionHeightTwips, uint8_t style,
                          int32_t currentBorderWidthPixels);

// Where the hover picture shows while the pointer moves over the button.
ButtonBox HoverBoxTwips(int32_t widthTwips, int32_t heightTwips);

// The stored picture shown as the hover picture for an OverColor, kNoPicture outside 0..4.
int32_t HoverPictureNumber(int32_t overColor);

// The stored picture a background index names: 0 the normal background, k >= 1 the picture
// k + 2 (the hover pictures); kNoPicture for an index naming no stored picture.
int32_t SelBackPictureNumber(int32_t index);

}  // namespace quorrin
