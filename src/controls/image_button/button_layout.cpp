#include "controls/image_button/button_layout.h"

#include <algorithm>

namespace quorrin {

namespace {

// Fractions of the free height (button height less caption height), in hundredths.
constexpr int64_t kIconHeightPercentOfFree = 64;  // 0.8 x 0.8
constexpr int64_t kIconTopPercentOfFree = 7;      // 0.7 x 0.1
constexpr int64_t kCaptionGapPercentOfFree = 10;  // between icon and caption
constexpr int64_t kPercent = 100;

int32_t Centred(int32_t outer, int32_t inner) { return DivideRoundHalfEven(outer - inner, 2); }

}  // namespace

int32_t BorderWidthPixels(int32_t heightTwips, int32_t currentWidthPixels) {
    // "height / 500 > 1" without a division: height above one full step.
    if (heightTwips > kBorderStepTwips) return DivideRoundHalfEven(heightTwips, kBorderStepTwips);
    return currentWidthPixels;
}

ButtonLayout LayoutButton(int32_t widthTwips, int32_t heightTwips, int32_t captionWidthTwips,
                          int32_t captionHeightTwips, uint8_t style,
                          int32_t currentBorderWidthPixels) {
    ButtonLayout layout;
    const int64_t free = static_cast<int64_t>(heightTwips) - captionHeightTwips;
    layout.borderWidthPixels = BorderWidthPixels(heightTwips, currentBorderWidthPixels);
    layout.captionTwips.width = captionWidthTwips;
    layout.captionTwips.height = captionHeightTwips;
    layout.captionTwips.left = Centred(widthTwips, captionWidthTwips);

    if (style != 0) {
        // Also for a style past the last icon: the caption makes room for the icon, which
        // has no picture to show.
        if (style <= kMaxButtonStyle) layout.iconPicture = style - 1;
        ButtonBox& icon = layout.iconTwips;
        icon.height = DivideRoundHalfEven(free * kIconHeightPercentOfFree, kPercent);
        icon.width = icon.height;
        icon.left = Centred(widthTwips, icon.width);
        icon.top = DivideRoundHalfEven(free * kIconTopPercentOfFree, kPercent);
        layout.captionTwips.top =
            icon.height + icon.top + DivideRoundHalfEven(free * kCaptionGapPercentOfFree, kPercent);
        if (layout.iconPicture == kNoPicture) icon = ButtonBox{};
    } else {
        layout.captionTwips.top = DivideRoundHalfEven(free, 2);
    }
    return layout;
}

ButtonBox HoverBoxTwips(int32_t widthTwips, int32_t heightTwips) {
    ButtonBox box;
    box.left = kHoverMarginTwips;
    box.top = kHoverMarginTwips;
    box.width = std::max(0, widthTwips - 2 * kHoverMarginTwips);
    box.height = std::max(0, heightTwips - 2 * kHoverMarginTwips);
    return box;
}

int32_t HoverPictureNumber(int32_t overColor) {
    if (overColor < 0 || overColor > kMaxOverColor) return kNoPicture;
    return overColor + kFirstHoverPicture;
}

int32_t SelBackPictureNumber(int32_t index) {
    if (index == 0) return kNormalBackgroundPicture;
    if (index < 1 || index + kFirstHoverPicture >= kBackgroundPictureCount) return kNoPicture;
    return index + kFirstHoverPicture;
}

}  // namespace quorrin
