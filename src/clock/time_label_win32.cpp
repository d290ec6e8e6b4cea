#include "clock/time_label_win32.h"

#include "win32/gdi_scope_win32.h"

#include <iterator>

namespace quorrin {

namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

bool TimeLabel::Create(HINSTANCE instance, HWND parent) {
    WindowClassSpec windowClass;
    windowClass.className = kTimeLabelClassName;
    WindowPlacement placement;
    placement.style = WS_CHILD | WS_VISIBLE;
    placement.owner = parent;
    return CreateFromSpec(instance, windowClass, placement);
}

void TimeLabel::SetLook(const TimeLabelLook& look) {
    look_ = look;
    WindowDcScope screen(nullptr);
    LOGFONTW font{};
    font.lfHeight =
        -MulDiv(look.fontPoints, GetDeviceCaps(screen.Dc(), LOGPIXELSY), kPointsPerInch);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, look.fontName.c_str(), LF_FACESIZE);
    font_.Reset(CreateFontIndirectW(&font));
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TimeLabel::SetTime(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TimeLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // everything is painted in WM_PAINT, off screen
        case WM_NCHITTEST:
            return HTTRANSPARENT;
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

    wchar_t text[32] = {};
    GetWindowTextW(Handle(), text, static_cast<int>(std::size(text)));
    ScopedSelectObject selectFont(memory.Get(),
                                  font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(memory.Get(), TRANSPARENT);
    SetTextColor(memory.Get(), look_.textColor);
    DrawTextW(memory.Get(), text, -1, &client, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    BitBlt(paint.Dc(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    return 0;
}

}  // namespace quorrin
