#include "win32/dib_section_win32.h"

#include "win32/debug_log_win32.h"

namespace quorrin {

namespace {
constexpr WORD kBitsPerPixel = 32;
}  // namespace

DibSection MakeDibSection(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    DibSection dib;
    dib.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.bitmap || bits == nullptr) {
        LogLastError(L"CreateDIBSection");
        return {};
    }
    dib.pixels = static_cast<uint32_t*>(bits);
    return dib;
}

}  // namespace quorrin
