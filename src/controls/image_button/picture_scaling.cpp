#include "controls/image_button/picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quorrin {

namespace {

constexpr int kMaxByte = 255;

// Which source pixels a target pixel covers along one axis, and how much of each.
struct Coverage {
    int32_t first = 0;
    std::vector<double> weights;  // of source pixels first, first + 1, ...
};

std::vector<Coverage> AxisCoverage(int32_t sourceSize, int32_t targetSize) {
    std::vector<Coverage> axis(static_cast<size_t>(targetSize));
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (int32_t t = 0; t < targetSize; ++t) {
        const double begin = t * scale;
        const double end = (t + 1) * scale;
        Coverage& cover = axis[static_cast<size_t>(t)];
        cover.first = static_cast<int32_t>(std::floor(begin));
        const auto last = std::min(sourceSize - 1, static_cast<int32_t>(std::ceil(end)) - 1);
        for (int32_t s = cover.first; s <= last; ++s) {
            const double overlap = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            cover.weights.push_back(overlap / scale);
        }
    }
    return axis;
}

}  // namespace

void PremultiplyAlpha(std::span<uint8_t> bgra) {
    for (size_t i = 0; i + kBytesPerBgraPixel <= bgra.size(); i += kBytesPerBgraPixel) {
        const unsigned alpha = bgra[i + 3];
        for (size_t c = 0; c < 3; ++c) {
            bgra[i + c] = static_cast<uint8_t>((bgra[i + c] * alpha + kMaxByte / 2) / kMaxByte);
        }
    }
}

BgraPicture ResizeByAreaAverage(const BgraPicture& source, int32_t width, int32_t height) {
    BgraPicture target;
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return target;
    target.width = width;
    target.height = height;
    target.bytes.assign(static_cast<size_t>(width) * height * kBytesPerBgraPixel, 0);
    const std::vector<Coverage> columns = AxisCoverage(source.width, width);
    const std::vector<Coverage> rows = AxisCoverage(source.height, height);
    const auto sourceIndex = [&](int32_t x, int32_t y) {
        return (static_cast<size_t>(y) * source.width + x) * kBytesPerBgraPixel;
    };
    for (int32_t ty = 0; ty < height; ++ty) {
        const Coverage& row = rows[static_cast<size_t>(ty)];
        for (int32_t tx = 0; tx < width; ++tx) {
            const Coverage& column = columns[static_cast<size_t>(tx)];
            double sums[kBytesPerBgraPixel] = {};
            for (size_t j = 0; j < row.weights.size(); ++j) {
                for (size_t i = 0; i < column.weights.size(); ++i) {
                    const double weight = row.weights[j] * column.weights[i];
                    const size_t at = sourceIndex(column.first + static_cast<int32_t>(i),
                                                  row.first + static_cast<int32_t>(j));
                    for (int c = 0; c < kBytesPerBgraPixel; ++c) {
                        sums[c] += weight * source.bytes[at + static_cast<size_t>(c)];
                    }
                }
            }
            const size_t out = (static_cast<size_t>(ty) * width + tx) * kBytesPerBgraPixel;
            for (int c = 0; c < kBytesPerBgraPixel; ++c) {
                const double value = std::clamp(std::round(sums[c]), 0.0, double{kMaxByte});
                target.bytes[out + static_cast<size_t>(c)] = static_cast<uint8_t>(value);
            }
        }
    }
    return target;
}

}  // namespace quorrin
