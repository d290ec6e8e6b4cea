// 32-bit top-down DIB sections: pictures whose pixels the program writes or reads itself.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <cstdint>

namespace quorrin {

struct DibSection {
    UniqueBitmap bitmap;
    // width × height pixels, rows from the top, each 0xAARRGGBB (blue in the low byte).
    uint32_t* pixels = nullptr;
    explicit operator bool() const { return bitmap && pixels != nullptr; }
};

// A new DIB section of the given size; empty (and the failure logged) when the size is not
// positive or the system refuses.
DibSection MakeDibSection(int width, int height);

}  // namespace quorrin
