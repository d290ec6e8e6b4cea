#include "dialogs/kit/dialog_look_win32.h"

#include "geometry/units.h"
#include "win32/debug_log_win32.h"
#include "win32/dib_section_win32.h"
#include "win32/gdi_scope_win32.h"

#include <algorithm>
#include <array>

namespace quorrin {

namespace {

constexpr int kFontPoints = 9;
// The first face the system has: the UI face of newer systems, the one of older ones, and
// the face every Chinese system has.
constexpr std::array<const wchar_t*, 3> kFontFaces = {L"Microsoft YaHei UI", L"微软雅黑", L"宋体"};

// The pictures: a blue title bar and a light background with a thin edge.
constexpr COLORREF kTitleTopColor = RGB(79, 141, 216);
constexpr COLORREF kTitleBottomColor = RGB(46, 100, 173);
constexpr COLORREF kTitleEdgeColor = RGB(33, 79, 142);
constexpr COLORREF kBackTopColor = RGB(251, 252, 254);
constexpr COLORREF kBackBottomColor = RGB(226, 233, 243);
constexpr COLORREF kBorderColor = RGB(146, 164, 190);
constexpr COLORREF kCaptionTextColor = RGB(255, 255, 255);
constexpr COLORREF kTextColor = RGB(33, 37, 41);

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) noexcept {
    ++*reinterpret_cast<int*>(count);
    return 0;  // one is enough
}

bool FaceExists(HDC dc, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExW(dc, &wanted, &CountFace, reinterpret_cast<LPARAM>(&count), 0);
    return count > 0;
}

// The first Chinese UI face installed; the font mapper picks a Chinese face when none of
// them is there.
const wchar_t* DialogFace(HDC dc) {
    for (const wchar_t* candidate : kFontFaces) {
        if (FaceExists(dc, candidate)) return candidate;
    }
    return kFontFaces.back();
}

// A 32-bit DIB pixel (blue in the low byte) for a COLORREF (red in the low byte).
uint32_t DibPixel(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) |
           (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

// The colour `step` of `steps` between `from` and `to`.
COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    if (steps <= 1) return from;
    const auto mix = [&](int a, int b) { return a + (b - a) * step / (steps - 1); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

// Title bar and background in one picture of the client area: vertical gradients, a
// darker line under the title bar, and a thin edge round the rest.
UniqueBitmap DrawBackdrop(int width, int height, int titleHeight) {
    DibSection dib = MakeDibSection(width, height);
    if (!dib) return UniqueBitmap();
    uint32_t* pixels = dib.pixels;
    const int title = std::clamp(titleHeight, 0, height);
    for (int y = 0; y < height; ++y) {
        COLORREF row;
        if (y < title - 1) {
            row = Blend(kTitleTopColor, kTitleBottomColor, y, title - 1);
        } else if (y == title - 1) {
            row = kTitleEdgeColor;
        } else {
            row = Blend(kBackTopColor, kBackBottomColor, y - title, height - title);
        }
        uint32_t* line = pixels + static_cast<size_t>(y) * width;
        std::fill(line, line + width, DibPixel(row));
        if (y >= title) {
            line[0] = DibPixel(kBorderColor);
            line[width - 1] = DibPixel(kBorderColor);
        }
    }
    std::fill(pixels + static_cast<size_t>(height - 1) * width,
              pixels + static_cast<size_t>(height) * width, DibPixel(kBorderColor));
    GdiFlush();
    return std::move(dib.bitmap);
}

}  // namespace

UniqueFont MakeDialogFaceFont(const wchar_t* face, int heightPixels, int weight) {
    WindowDcScope screen(nullptr);
    if (face == nullptr) face = DialogFace(screen.Dc());
    LOGFONTW font{};
    font.lfHeight = -heightPixels;
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created) LogLastError(L"CreateFontIndirectW for the dialog font");
    return created;
}

UniqueFont MakeDialogTextFont(int32_t dpi) {
    return MakeDialogFaceFont(nullptr, PointsToPixels(kFontPoints, dpi), FW_NORMAL);
}

void DialogLook::Make(int32_t dpi, SIZE clientPixels, int titleHeightPixels) {
    font_ = MakeDialogTextFont(dpi);
    captionFont_ = MakeDialogFaceFont(nullptr, PointsToPixels(kFontPoints, dpi), FW_BOLD);
    backdrop_ = DrawBackdrop(clientPixels.cx, clientPixels.cy, titleHeightPixels);
    backdropBrush_.Reset(backdrop_ ? CreatePatternBrush(backdrop_.Get())
                                   : CreateSolidBrush(kBackTopColor));
}

void DialogLook::Paint(HDC dc, const RECT& client) const {
    if (!backdrop_) {
        FillRect(dc, &client, backdropBrush_.Get());
        return;
    }
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    ScopedSelectObject select(memory.Get(), backdrop_.Get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT DialogLook::ControlColor(HDC dc, HWND control, HWND dialog, bool onTitleBar) const {
    // The child paints its background with the backdrop, lined up with where the child
    // sits, so that it looks transparent and still erases its old text properly.
    POINT origin{0, 0};
    MapWindowPoints(control, dialog, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, onTitleBar ? kCaptionTextColor : kTextColor);
    return reinterpret_cast<LRESULT>(backdropBrush_.Get());
}

}  // namespace quorrin
