#include "dialogs/kit/stacked_layout.h"

#include <algorithm>

namespace quorrin {

StackedLayout StackRows(std::span<const StackedRow> rows, const StackedFrame& frame) {
    // The columns: as wide as their widest part among the rows that use columns.
    std::array<int32_t, kRowParts> columns{};
    for (const StackedRow& row : rows) {
        if (row.spans) continue;
        const size_t columnParts = row.actionFollowsField ? kRowField : kRowParts;
        for (size_t part = 0; part < columnParts; ++part) {
            columns[part] = std::max(columns[part], row.parts[part].width);
        }
    }
    std::array<int32_t, kRowParts> lefts{};
    int32_t right = frame.margin;
    for (size_t part = 0; part < kRowParts; ++part) {
        if (columns[part] == 0) continue;
        if (right > frame.margin) right += frame.columnGap;
        lefts[part] = right;
        right += columns[part];
    }
    // The field column starts after the captions even when only following rows use it.
    if (columns[kRowField] == 0) {
        lefts[kRowField] = lefts[kRowCaption] + columns[kRowCaption] + frame.columnGap;
    }

    StackedLayout layout;
    int32_t widest = right;
    int32_t top = frame.top;
    for (const StackedRow& row : rows) {
        int32_t height = 0;
        for (const PartSize& part : row.parts) height = std::max(height, part.height);
        std::array<TwipRect, kRowParts> places{};
        for (size_t part = 0; part < kRowParts; ++part) {
            const PartSize size = row.parts[part];
            if (size.width == 0) continue;
            int32_t left = row.spans ? frame.margin : lefts[part];
            if (row.actionFollowsField && part == kRowAction) {
                left = lefts[kRowField] + row.parts[kRowField].width + frame.columnGap;
            }
            places[part] = {left, top + (height - size.height) / 2, size.width, size.height};
            widest = std::max(widest, left + size.width);
        }
        layout.places.push_back(places);
        top += height + frame.rowGap;
    }
    layout.clientWidth = std::max(widest + frame.margin, frame.leastWidth);
    layout.clientHeight = top - frame.rowGap + frame.buttonsHeight;
    return layout;
}

}  // namespace quorrin
