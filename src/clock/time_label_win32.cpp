#include "clock/time_label_win32.h"

#include "clock/clock_font_win32.h"
#include "clock/clock_layout.h"
#include "geometry/units.h"
#include "win32/gdi_scope_win32.h"

#include <iterator>

namespace quorrin {

namespace {

constexpr size_t kMaxTimeChars = 32;

std::wstring WindowText(HWND window) {
    wchar_t text[kMaxTimeChars] = {};
    const int length = GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// The text's cell in the font: the advance widths and the font's full height.
SIZE TextExtent(HDC dc, HFONT font, const std::wstring& text) {
    ScopedSelectObject select(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

bool TimeLabel::Create(HINSTANCE instance, HWND parent) {
    WindowClassSpec windowClass;
    windowClass.className = kTimeLabelClassName;
    WindowPlacement placement;
    placement.style = WS_CHILD | WS_VISIBLE;
    placement.owner = parent;
    return CreateFromSpec(instance, windowClass, placement);
}

UniqueFont TimeLabel::MakeFont(int32_t heightPixels) const {
    return MakeClockFont(look_.fontName, heightPixels);
}

void TimeLabel::SetLook(const TimeLabelLook& look, int32_t dpi) {
    look_ = look;
    fontHeightPixels_ = PointsToPixels(look.fontPoints, dpi);
    font_ = MakeFont(fontHeightPixels_);
    fittedFont_.Reset();
    FitText();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TimeLabel::SetTime(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
    FitText();
    InvalidateRect(Handle(), nullptr, FALSE);
}

HFONT TimeLabel::DrawingFont() const {
    if (fittedFont_) return fittedFont_.Get();
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TimeLabel::FitText() {
    if (!font_ || Handle() == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const std::wstring text = WindowText(Handle());
    WindowDcScope dc(Handle());
    const auto fits = [&](HFONT font, SIZE* extent) {
        *extent = TextExtent(dc.Dc(), font, text);
        return extent->cx <= client.right && extent->cy <= client.bottom;
    };
    SIZE extent{};
    if (fits(font_.Get(), &extent)) {
        fittedFont_.Reset();
        return;
    }
    SIZE fittedExtent{};
    if (fittedFont_ && fits(fittedFont_.Get(), &fittedExtent)) return;  // still good
    int32_t height =
        FittedFontHeight(fontHeightPixels_, extent.cx, extent.cy, client.right, client.bottom);
    for (;;) {
        UniqueFont smaller = MakeFont(height);
        if (!smaller) return;
        const bool done = fits(smaller.Get(), &fittedExtent) || height <= 1;
        fittedFont_ = std::move(smaller);
        if (done) return;
        --height;
    }
}

LRESULT TimeLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // everything is painted in WM_PAINT, off screen
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SIZE:
            FitText();
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT TimeLabel::OnPaint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return 0;

    // Off-screen drawing, then one copy: the digits never flicker as they change.
    UniqueMemoryDc memory(CreateCompatibleDC(paint.Dc()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(paint.Dc(), width, height));
    if (!memory || !bitmap) return 0;
    ScopedSelectObject selectBitmap(memory.Get(), bitmap.Get());
    UniqueBrush back(CreateSolidBrush(look_.backColor));
    FillRect(memory.Get(), &client, back.Get());

    const std::wstring text = WindowText(Handle());
    ScopedSelectObject selectFont(memory.Get(), DrawingFont());
    SetBkMode(memory.Get(), TRANSPARENT);
    SetTextColor(memory.Get(), look_.textColor);
    DrawTextW(memory.Get(), text.c_str(), static_cast<int>(text.size()), &client,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    BitBlt(paint.Dc(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    return 0;
}

}  // namespace quorrin
