// Pixel work on the image button's icons, kept free of windows.h: straight alpha turned
// into premultiplied alpha (what GDI's alpha blending expects), and an area-averaging
// resize so that a large stored icon stays smooth when drawn a few pixels high.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quorrin {

inline constexpr int32_t kBytesPerBgraPixel = 4;

// A picture of blue, green, red, alpha bytes, rows from the top, no row padding.
struct BgraPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bytes;  // width * height * 4
};

// Multiplies each colour byte by its pixel's alpha / 255, rounded to nearest.
void PremultiplyAlpha(std::span<uint8_t> bgra);

// Resizes by averaging each target pixel over the source area it covers (the right filter
// for shrinking; enlarging degrades to the nearest source pixel). Expects premultiplied
// alpha, so that transparent pixels give their colour no weight. An empty target size or
// source gives an empty picture.
BgraPicture ResizeByAreaAverage(const BgraPicture& source, int32_t width, int32_t height);

}  // namespace quorrin
