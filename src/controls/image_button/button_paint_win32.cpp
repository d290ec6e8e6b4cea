#include "controls/image_button/button_paint_win32.h"

#include "win32/gdi_scope_win32.h"
#include "win32/unique_handle_win32.h"

namespace quorrin {

namespace {

constexpr BYTE kOpaque = 255;

void StretchPicture(HDC target, HDC scratch, HBITMAP picture, const ButtonBox& box) {
    BITMAP info{};
    if (picture == nullptr || box.width <= 0 || box.height <= 0 ||
        GetObjectW(picture, sizeof(info), &info) == 0) {
        return;
    }
    ScopedSelectObject select(scratch, picture);
    // HALFTONE averages and interpolates, so a short gradient strip stretches smoothly;
    // it needs the brush origin reset after the mode is set.
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, box.left, box.top, box.width, box.height, scratch, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

void DrawBorder(HDC target, const ButtonScene& scene) {
    UniquePen pen(CreatePen(PS_INSIDEFRAME, scene.borderWidthPixels, scene.borderColor));
    ScopedSelectObject selectPen(target, pen.Get());
    ScopedSelectObject selectBrush(target, GetStockObject(NULL_BRUSH));
    RoundRect(target, 0, 0, scene.widthPixels, scene.heightPixels, scene.cornerPixels,
              scene.cornerPixels);
}

void DrawIcon(HDC target, HDC scratch, const ButtonScene& scene) {
    const ButtonBox& box = scene.iconBox;
    if (scene.icon == nullptr || box.width <= 0 || box.height <= 0) return;
    ScopedSelectObject select(scratch, scene.icon);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, kOpaque, AC_SRC_ALPHA};
    // GdiAlphaBlend is gdi32's export of AlphaBlend, so no extra import library is needed.
    GdiAlphaBlend(target, box.left, box.top, box.width, box.height, scratch, 0, 0, box.width,
                  box.height, blend);
}

void DrawCaption(HDC target, const ButtonScene& scene) {
    if (scene.caption == nullptr || scene.caption->empty()) return;
    ScopedSelectObject selectFont(target, scene.font != nullptr ? static_cast<HGDIOBJ>(scene.font)
                                                                : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, scene.captionColor);
    const ButtonBox& box = scene.captionBox;
    RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
    DrawTextW(target, scene.caption->c_str(), static_cast<int>(scene.caption->size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace

void PaintButtonScene(HDC target, const ButtonScene& scene) {
    if (scene.widthPixels <= 0 || scene.heightPixels <= 0) return;
    UniqueMemoryDc memory(CreateCompatibleDC(target));
    UniqueMemoryDc scratch(CreateCompatibleDC(target));
    UniqueBitmap canvas(CreateCompatibleBitmap(target, scene.widthPixels, scene.heightPixels));
    if (!memory || !scratch || !canvas) return;
    ScopedSelectObject selectCanvas(memory.Get(), canvas.Get());
    const HDC dc = memory.Get();

    // Nothing but white shows unless a stored picture is missing.
    RECT all{0, 0, scene.widthPixels, scene.heightPixels};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    StretchPicture(dc, scratch.Get(), scene.background,
                   ButtonBox{0, 0, scene.widthPixels, scene.heightPixels});
    StretchPicture(dc, scratch.Get(), scene.hover, scene.hoverBox);
    DrawBorder(dc, scene);
    DrawIcon(dc, scratch.Get(), scene);
    DrawCaption(dc, scene);

    BitBlt(target, 0, 0, scene.widthPixels, scene.heightPixels, dc, 0, 0, SRCCOPY);
}

}  // namespace quorrin
