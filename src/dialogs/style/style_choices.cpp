#include "dialogs/style/style_choices.h"

#include "geometry/units.h"
#include "texts/texts.h"

#include <algorithm>

namespace quorrin {

std::vector<std::string> FontSizeItems() {
    std::vector<std::string> items;
    for (int32_t points = kSmallestFontPoints; points <= kLargestFontPoints; ++points) {
        items.push_back(std::to_string(points));
    }
    return items;
}

int FontSizeIndex(int32_t points) {
    if (points < kSmallestFontPoints || points > kLargestFontPoints) return kNoListItem;
    return points - kSmallestFontPoints;
}

std::vector<std::string> AlphaItems() {
    std::vector<std::string> items{std::string(Text(TextId::AlphaTransparent))};
    for (int n = 1; n + 1 < kAlphaItemCount; ++n) {
        items.push_back(std::to_string(n * kAlphaStepPercent) + "%");
    }
    items.emplace_back(Text(TextId::AlphaOpaque));
    return items;
}

std::vector<std::string> PositionItems() {
    std::vector<std::string> items;
    for (const TextId id :
         {TextId::PositionTopLeft, TextId::PositionTopRight, TextId::PositionBottomLeft,
          TextId::PositionBottomRight, TextId::PositionCustom}) {
        items.emplace_back(Text(id));
    }
    return items;
}

std::vector<std::string> ScreensItems() {
    std::vector<std::string> items;
    for (const TextId id : {TextId::ScreensEvery, TextId::ScreensShow, TextId::ScreensOther}) {
        items.emplace_back(Text(id));
    }
    return items;
}

int ScreensIndex(uint8_t screens) {
    return screens < kScreensItemCount ? static_cast<int>(screens) : kNoListItem;
}

int AlphaIndex(uint8_t alphaPercent) {
    if (alphaPercent % kAlphaStepPercent != 0) return kNoListItem;
    const int index = alphaPercent / kAlphaStepPercent;
    return index < kAlphaItemCount ? index : kNoListItem;
}

int PositionIndex(uint8_t showPos) {
    return showPos < kPositionItemCount ? static_cast<int>(showPos) : kNoListItem;
}

int FontIndex(const std::vector<std::string>& fonts, const std::string& name) {
    const auto found = std::find(fonts.begin(), fonts.end(), name);
    return found == fonts.end() ? kNoListItem : static_cast<int>(found - fonts.begin());
}

std::vector<std::string> ScreenFontList(std::vector<std::string> faces) {
    std::erase_if(faces, [](const std::string& face) { return face.empty() || face[0] == '@'; });
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

StylePreview PreviewFromStyle(const DisplayStyle& style) {
    StylePreview preview;
    preview.background = {style.bgLeft, style.bgTop, style.bgWidth, style.bgHeight};
    preview.backColor = style.bgBackColor;
    preview.digits = {style.numLeft, style.numTop, style.numWidth, style.numHeight};
    preview.fontName = style.numFontName;
    preview.fontPoints = style.numFontSize;
    preview.textColor = style.numForeColor;
    return preview;
}

void FitPreviewBackground(StylePreview& preview, int32_t textWidthPixels, int32_t textHeightPixels,
                          int32_t dpi) {
    const int32_t width = PixelsToTwips(textWidthPixels, dpi);
    const int32_t height = PixelsToTwips(textHeightPixels, dpi);
    preview.digits.width = width;
    preview.digits.height = height;
    preview.background.width = width + kPreviewMarginWidthTwips;
    preview.background.height = kPreviewMarginTopTwips + height + kPreviewMarginBottomTwips;
    preview.digits.top = kPreviewMarginTopTwips;
    // Centred by the digits' true width, which is a fraction of a twip off the whole width
    // above at some scales: (background - textWidthPixels x 1440 / dpi) / 2.
    preview.digits.left =
        DivideRoundHalfEven(static_cast<int64_t>(preview.background.width) * dpi -
                                static_cast<int64_t>(textWidthPixels) * kTwipsPerInch,
                            2LL * dpi);
}

DisplayStyle StyleFromDialog(const DisplayStyle& stored, const StylePreview& preview,
                             const StyleListChoices& lists, int32_t clockLeftTwips,
                             int32_t clockTopTwips) {
    DisplayStyle style = stored;
    style.Width = preview.background.width;
    style.Height = preview.background.height;
    style.BackColor = preview.backColor;
    if (lists.alpha != kNoListItem) {
        style.Alpha = static_cast<uint8_t>(lists.alpha * kAlphaStepPercent);
    }
    style.Top = clockTopTwips;
    style.Left = clockLeftTwips;
    if (lists.position != kNoListItem) style.showPos = static_cast<uint8_t>(lists.position);
    if (lists.screens != kNoListItem) style.Screens = static_cast<uint8_t>(lists.screens);
    style.numFontSize = static_cast<int16_t>(preview.fontPoints);
    style.numFontName = preview.fontName;
    style.numForeColor = preview.textColor;
    style.numHeight = preview.digits.height;
    style.numLeft = preview.digits.left;
    style.numTop = preview.digits.top;
    style.numWidth = preview.digits.width;
    style.bgHeight = preview.background.height;
    style.bgWidth = preview.background.width;
    style.bgLeft = preview.background.left;
    style.bgTop = preview.background.top;
    style.bgBackColor = preview.backColor;
    return style;
}

}  // namespace quorrin
