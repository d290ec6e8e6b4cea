#include "clock/countdown_window_win32.h"

#include "win32/gdi_scope_win32.h"
#include "win32/round_region_win32.h"
#include "win32/wide_text_win32.h"

namespace quorrin {

namespace {

constexpr BYTE kOpaque = 255;

COLORREF ToColorRef(int32_t color) { return static_cast<COLORREF>(color) & 0x00FFFFFF; }

int Pixels(int32_t twips) { return TwipsToPixels(twips); }

}  // namespace

bool CountdownWindow::Create(HINSTANCE instance, const wchar_t* className, HICON icon,
                             const DisplayStyle& style) {
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
    SetLayeredWindowAttributes(Handle(), kTransparentKeyColor, kOpaque, LWA_COLORKEY | LWA_ALPHA);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return label_.Create(instance, Handle());
}

void CountdownWindow::Layout(const AppState& state) {
    const DisplayStyle& s = state.Style;
    const TwipRect r = ClockWindowRect(state, kind_, RectTwips());
    const int width = Pixels(r.width);
    const int height = Pixels(r.height);
    SetWindowPos(Handle(), nullptr, Pixels(r.left), Pixels(r.top), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyRoundRegion(Handle(), RegionShape::Clock);
    SetLayeredWindowAttributes(Handle(), kTransparentKeyColor, AlphaByte(s.Alpha),
                               LWA_COLORKEY | LWA_ALPHA);
    background_ = ToColorRef(s.bgBackColor);

    TimeLabelLook look;
    look.fontName = Utf8ToWide(s.numFontName);
    look.fontPoints = s.numFontSize;
    look.textColor = ToColorRef(s.numForeColor);
    look.backColor = background_;
    label_.SetLook(look);
    SetWindowPos(label_.Handle(), nullptr, Pixels(s.numLeft), Pixels(s.numTop), Pixels(s.numWidth),
                 Pixels(s.numHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CountdownWindow::SetTime(const std::wstring& text) { label_.SetTime(text); }

void CountdownWindow::ShowOnTop() {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    KeepOnTop();
}

void CountdownWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool CountdownWindow::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

void CountdownWindow::KeepOnTop() {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

TwipRect CountdownWindow::RectTwips() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {PixelsToTwips(r.left), PixelsToTwips(r.top), PixelsToTwips(r.right - r.left),
            PixelsToTwips(r.bottom - r.top)};
}

void CountdownWindow::MoveTo(int32_t leftTwips, int32_t topTwips) {
    SetWindowPos(Handle(), nullptr, Pixels(leftTwips), Pixels(topTwips), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CountdownWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
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
