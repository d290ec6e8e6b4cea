// Drawing of the image button, from back to front: background picture, hover picture,
// rounded border, icon, caption. The control decides what shows; this only draws it.
#pragma once

#include "controls/image_button/button_layout.h"

#include <windows.h>

#include <string>

namespace quorrin {

// What one paint of the button shows; boxes in pixels of the button's client area.
struct ButtonScene {
    int32_t widthPixels = 0;
    int32_t heightPixels = 0;
    HBITMAP background = nullptr;  // stretched over the whole button
    HBITMAP hover = nullptr;       // stretched over hoverBox; null while no hover shows
    ButtonBox hoverBox;
    COLORREF borderColor = RGB(0, 0, 0);
    int32_t borderWidthPixels = 1;
    int32_t cornerPixels = 0;
    HBITMAP icon = nullptr;  // premultiplied 32-bit, already iconBox's size
    ButtonBox iconBox;
    const std::wstring* caption = nullptr;
    ButtonBox captionBox;
    HFONT font = nullptr;
    COLORREF captionColor = RGB(0, 0, 0);
};

// Paints the scene into `target` at (0, 0), off screen first so that nothing flickers.
void PaintButtonScene(HDC target, const ButtonScene& scene);

}  // namespace quorrin
