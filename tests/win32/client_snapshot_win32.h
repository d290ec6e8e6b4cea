// A window's client area as the window paints it into a memory DC (WM_PRINTCLIENT, so its
// back buffer, whatever covers it on the screen), read back as pixels.
#pragma once

#include "win32/dib_section_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorrin::testing {

struct ClientSnapshot {
    explicit ClientSnapshot(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        const DibSection dib = MakeDibSection(width, height);
        if (!dib) return;
        const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        {
            ScopedSelectObject select(dc.Get(), dib.bitmap.Get());
            SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        }
        const uint32_t* bgra = dib.pixels;
        pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int i = 0; i < width * height; ++i) {
            pixels.push_back(RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF));
        }
    }
    COLORREF Pixel(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    std::ptrdiff_t Count(COLORREF color) const {
        return std::count(pixels.begin(), pixels.end(), color);
    }

    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};

}  // namespace quorrin::testing
