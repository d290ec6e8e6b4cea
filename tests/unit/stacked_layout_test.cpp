#include "dialogs/kit/stacked_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace quorrin {
namespace {

constexpr StackedFrame kFrame{.top = 780,
                              .margin = 360,
                              .rowGap = 100,
                              .columnGap = 120,
                              .buttonsHeight = 900,
                              .leastWidth = 3000};

StackedRow Columns(int32_t caption, int32_t field, int32_t action, int32_t height = 300) {
    return {{PartSize{caption, 200}, PartSize{field, height}, PartSize{action, 495}}};
}
StackedRow Check(int32_t width) { return {{PartSize{width, 345}}, true}; }

bool Overlap(const TwipRect& a, const TwipRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(StackedLayout, ColumnsLineUpAfterTheWidestCaptionAndNothingOverlaps) {
    const std::vector<StackedRow> rows = {Check(2000), Columns(900, 600, 1000),
                                          Columns(1500, 2700, 800), Columns(700, 2895, 735, 495)};
    const StackedLayout layout = StackRows(rows, kFrame);
    ASSERT_EQ(layout.places.size(), rows.size());
    EXPECT_EQ(layout.places[0][kRowCaption], (TwipRect{360, 780, 2000, 345}));
    for (size_t row = 1; row < rows.size(); ++row) {
        EXPECT_EQ(layout.places[row][kRowCaption].left, 360);
        EXPECT_EQ(layout.places[row][kRowField].left, 360 + 1500 + 120) << row;
        EXPECT_EQ(layout.places[row][kRowAction].left, 360 + 1500 + 120 + 2895 + 120) << row;
    }
    std::vector<TwipRect> all;
    for (const auto& places : layout.places) {
        for (const TwipRect& place : places) {
            if (place.width > 0) all.push_back(place);
        }
    }
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) EXPECT_FALSE(Overlap(all[i], all[j])) << i << j;
    }
    // The widest row and the margin on both sides; the last row, then the buttons.
    EXPECT_EQ(layout.clientWidth, 360 + 1500 + 120 + 2895 + 120 + 1000 + 360);
    const TwipRect& last = layout.places.back()[kRowField];
    EXPECT_EQ(layout.clientHeight, last.top + last.height + 900);
}

TEST(StackedLayout, PartsSitInTheMiddleOfTheirRow) {
    const StackedLayout layout = StackRows(std::vector{Columns(900, 600, 1000)}, kFrame);
    // The button is the tallest part; the caption and field are centred on it.
    EXPECT_EQ(layout.places[0][kRowAction].top, 780);
    EXPECT_EQ(layout.places[0][kRowCaption].top, 780 + (495 - 200) / 2);
    EXPECT_EQ(layout.places[0][kRowField].top, 780 + (495 - 300) / 2);
}

TEST(StackedLayout, AWideCheckBoxWidensTheDialogAndASmallOneKeepsItsLeastWidth) {
    const StackedLayout wide = StackRows(std::vector{Check(6000), Columns(500, 600, 0)}, kFrame);
    EXPECT_EQ(wide.clientWidth, 360 + 6000 + 360);
    // No action anywhere: no column and no gap for one.
    EXPECT_EQ(wide.places[1][kRowAction], TwipRect{});
    const StackedLayout small = StackRows(std::vector{Check(300)}, kFrame);
    EXPECT_EQ(small.clientWidth, 3000);
    EXPECT_EQ(small.clientHeight, 780 + 345 + 900);
}

TEST(StackedLayout, AnActionThatFollowsItsFieldSitsBesideItAndWidensNoColumn) {
    StackedRow swatch = Columns(900, 400, 1300);
    swatch.actionFollowsField = true;
    const StackedLayout layout = StackRows(std::vector{swatch, Columns(1500, 2700, 800)}, kFrame);
    const int32_t fieldLeft = 360 + 1500 + 120;
    EXPECT_EQ(layout.places[0][kRowField].left, fieldLeft) << "in the field column";
    EXPECT_EQ(layout.places[0][kRowAction].left, fieldLeft + 400 + 120) << "right after it";
    EXPECT_EQ(layout.places[1][kRowAction].left, fieldLeft + 2700 + 120) << "not widened";
    EXPECT_EQ(layout.clientWidth, fieldLeft + 2700 + 120 + 800 + 360);

    // Alone, the row still starts its field after the caption, and the dialog holds it.
    const StackedLayout alone = StackRows(std::vector{swatch}, kFrame);
    EXPECT_EQ(alone.places[0][kRowField].left, 360 + 900 + 120);
    EXPECT_EQ(alone.places[0][kRowAction].left, 360 + 900 + 120 + 400 + 120);
    EXPECT_EQ(alone.clientWidth, std::max(360 + 900 + 120 + 400 + 120 + 1300 + 360, 3000));
}

TEST(StackedLayout, AFieldWithoutCaptionStaysInTheFieldColumnUnderTheOthers) {
    // A button under a path, as 关于 shows one: no caption, no action.
    const StackedLayout layout =
        StackRows(std::vector{Columns(1500, 3960, 0, 495), Columns(0, 1700, 0, 495)}, kFrame);
    EXPECT_EQ(layout.places[1][kRowCaption], TwipRect{});
    EXPECT_EQ(layout.places[1][kRowField],
              (TwipRect{360 + 1500 + 120, 780 + 495 + 100, 1700, 495}));
    EXPECT_EQ(layout.clientWidth, 360 + 1500 + 120 + 3960 + 360);
}

}  // namespace
}  // namespace quorrin
