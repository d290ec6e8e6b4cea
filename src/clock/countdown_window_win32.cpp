#include "clock/countdown_window_win32.h"

#include "clock/clock_colors.h"
#include "win32/debug_log_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/round_region_win32.h"
#include "win32/wide_text_win32.h"

namespace quorrin {

namespace {

constexpr BYTE kOpaque = 255;

COLORREF ToColorRef(int32_t color) { return static_cast<COLORREF>(color) & 0x00FFFFFF; }

}  // namespace

bool CountdownWindow::Create(HINSTANCE instance, const wchar_t* className, HICON icon,
                             const DisplayStyle& style, int32_t dpi) {
    dpi_ = dpi;
    const auto Pixels = [dpi](int32_t twips) { return TwipsToPixels(twips, dpi); };
    WindowClassSpec windowClass;
    windowClass.className = className;
    windowClass.icon = icon;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    WindowPlacement placement;
    // WS_EX_NOACTIVATE: a click on the clock never takes the keyboard from the show.
    placement.exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    placement.style = WS_POPUP;
    placement.title = L"Quorrin";
    placement.left = Pixels(style.Left);
    placement.top = Pixels(style.Top);
    placement.width = Pixels(style.Width);
    placement.height = Pixels(style.Height);
    if (!CreateFromSpec(instance, windowClass, placement)) return false;
    background_ = ToColorRef(style.bgBackColor);
    if (SetLayeredWindowAttributes(Handle(), kTransparentKeyColor, kOpaque,
                                   LWA_COLORKEY | LWA_ALPHA) == FALSE) {
        LogLastError(L"SetLayeredWindowAttributes for a new clock");
    }
    if (SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) == FALSE) {
        LogLastError(L"SetWindowPos(HWND_TOPMOST) for a new clock");
    }
    return label_.Create(instance, Handle());
}

void CountdownWindow::Layout(const DisplayStyle& s, const ClockPlacement& placement) {
    dpi_ = placement.dpi;
    const auto Pixels = [this](int32_t twips) { return TwipsToPixels(twips, dpi_); };
    const PixelRect r = ClockPixels(s, placement, RectPixels());
    SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyRoundRegion(Handle(), RegionShape::Clock, dpi_);
    if (SetLayeredWindowAttributes(Handle(), kTransparentKeyColor, AlphaByte(s.Alpha),
                                   LWA_COLORKEY | LWA_ALPHA) == FALSE) {
        LogLastError(L"SetLayeredWindowAttributes for the clock's style");
    }
    style_ = s;

    // Placed first, so that the text is fitted to the label's new size.
    SetWindowPos(label_.Handle(), nullptr, Pixels(s.numLeft), Pixels(s.numTop), Pixels(s.numWidth),
                 Pixels(s.numHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLook();
}

void CountdownWindow::ApplyLook() {
    const DisplayStyle& s = style_;
    TimeLabelLook look;
    look.fontName = Utf8ToWide(s.numFontName);
    look.fontPoints = s.numFontSize;
    if (toneColor_) {
        background_ = ToColorRef(*toneColor_);
        look.textColor = ToColorRef(ReadableDigitColor(*toneColor_, s.numForeColor));
    } else {
        background_ = ToColorRef(s.bgBackColor);
        look.textColor = ToColorRef(s.numForeColor);
    }
    look.backColor = background_;
    label_.SetLook(look, dpi_);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CountdownWindow::SetToneColor(std::optional<int32_t> color) {
    if (color == toneColor_) return;
    toneColor_ = color;
    ApplyLook();
}

void CountdownWindow::SetTime(const std::wstring& text) { label_.SetTime(text); }

void CountdownWindow::ShowOnTop() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    KeepOnTop();
}

void CountdownWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void CountdownWindow::KeepOnTop() { PlaceOnTop(L"a clock"); }

PixelRect CountdownWindow::RectPixels() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void CountdownWindow::MoveTo(int32_t leftPixels, int32_t topPixels) {
    SetWindowPos(Handle(), nullptr, leftPixels, topPixels, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CountdownWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) return OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
    return OverlayWindow::HandleMessage(message, wParam, lParam);
}

LRESULT CountdownWindow::OnDpiChanged(const RECT& suggested) {
    if (relayout_) {
        relayout_();
    } else {
        SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

LRESULT CountdownWindow::OnPaint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    UniqueBrush brush(CreateSolidBrush(background_));
    FillRect(paint.Dc(), &client, brush.Get());
    return 0;
}

}  // namespace quorrin
