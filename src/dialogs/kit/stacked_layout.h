// Where the rows of a settings dialog go: one row under the other below the title bar, and
// in each row up to three parts (a caption, a field, an action such as a button) set in
// columns as wide as their widest part, so that the fields of all rows line up. A part that
// spans (a check box) takes the whole row. The client area grows to hold the rows and the
// 保存 and 取消 buttons under them. Every length in twips.
#pragma once

#include "geometry/rect.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorrin {

// The parts of a row, left to right.
inline constexpr size_t kRowCaption = 0;
inline constexpr size_t kRowField = 1;
inline constexpr size_t kRowAction = 2;
inline constexpr size_t kRowParts = 3;

struct PartSize {
    int32_t width = 0;  // 0: the row has no such part
    int32_t height = 0;
};

struct StackedRow {
    std::array<PartSize, kRowParts> parts{};
    // The caption alone, across every column (a check box).
    bool spans = false;
    // The action right after the field rather than in the action column (a small swatch
    // and its button); the field and the action then set no column's width.
    bool actionFollowsField = false;
};

// What surrounds the rows: the title bar above them, the margins, the spaces between rows
// and columns, and the room the frame's buttons need under them.
struct StackedFrame {
    int32_t top = 0;
    int32_t margin = 0;
    int32_t rowGap = 0;
    int32_t columnGap = 0;
    int32_t buttonsHeight = 0;  // the buttons and the space around them
    int32_t leastWidth = 0;     // the buttons side by side, the title
};

struct StackedLayout {
    // Per row, its parts' places (an empty rect for a part the row lacks), each centred in
    // the height of its row.
    std::vector<std::array<TwipRect, kRowParts>> places;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
};

StackedLayout StackRows(std::span<const StackedRow> rows, const StackedFrame& frame);

}  // namespace quorrin
