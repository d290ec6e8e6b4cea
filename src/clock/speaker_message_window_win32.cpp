#include "clock/speaker_message_window_win32.h"

#include "clock/clock_font_win32.h"
#include "clock/speaker_message_layout.h"
#include "geometry/units.h"
#include "win32/gdi_scope_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

// Word wrap; a word wider than the line (or a run of Chinese) is broken between characters.
constexpr UINT kTextFlags = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

COLORREF ToColorRef(int32_t color) { return static_cast<COLORREF>(color) & 0x00FFFFFF; }

MeasuredText Measure(HDC dc, HFONT font, const std::wstring& text, int32_t wrapWidth) {
    ScopedSelectObject select(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT r{0, 0, wrapWidth, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFlags | DT_CALCRECT);
    const int32_t lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    return {r.right - r.left, r.bottom - r.top, (r.bottom - r.top + lineHeight / 2) / lineHeight};
}

}  // namespace

bool SpeakerMessageWindow::Create(HINSTANCE instance) {
    WindowClassSpec windowClass;
    windowClass.className = kSpeakerMessageClassName;
    windowClass.cursor = LoadCursorW(nullptr, IDC_HAND);  // a click dismisses it
    WindowPlacement placement;
    // Never the keyboard's: the show keeps it, whatever happens to the message.
    placement.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    placement.style = WS_POPUP;
    return CreateFromSpec(instance, windowClass, placement);
}

void SpeakerMessageWindow::Fit(const std::wstring& fontName, const MessageAnchor& anchor) {
    const int32_t maxWidth = MaxMessageWidth(anchor.work);
    if (font_ && fontName == fontName_ && anchor.dpi == dpi_ && maxWidth == maxWidth_) return;
    fontName_ = fontName;
    dpi_ = anchor.dpi;
    maxWidth_ = maxWidth;
    marginPixels_ = TwipsToPixels(kMessageMarginTwips, dpi_);
    const int32_t wrapWidth = std::max(maxWidth - 2 * marginPixels_, 1);

    WindowDcScope dc(Handle());
    const auto measure = [&](int32_t fontHeight, int32_t width) {
        const UniqueFont font = MakeClockFont(fontName_, fontHeight);
        return font ? Measure(dc.Dc(), font.Get(), text_, width) : MeasuredText{};
    };
    const int32_t fontHeight =
        MessageFontHeight(measure, PointsToPixels(kMessageFontPoints, dpi_),
                          PointsToPixels(kLeastMessageFontPoints, dpi_), wrapWidth);
    font_ = MakeClockFont(fontName_, fontHeight);
    const MeasuredText size =
        font_ ? Measure(dc.Dc(), font_.Get(), text_, wrapWidth) : MeasuredText{};
    width_ = size.width + 2 * marginPixels_;
    height_ = size.height + 2 * marginPixels_;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void SpeakerMessageWindow::ShowBeside(const std::wstring& text, const std::wstring& fontName,
                                      const MessageAnchor& anchor) {
    if (text != text_) {
        text_ = text;
        SetWindowTextW(Handle(), text_.c_str());
        font_.Reset();  // measured again
    }
    Fit(fontName, anchor);
    const PixelRect r = MessageBesideClock(anchor.clock, anchor.work, width_, height_,
                                           TwipsToPixels(kMessageGapTwips, anchor.dpi));
    PlaceOnTop(L"a message", r);
}

void SpeakerMessageWindow::Hide() {
    pressed_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT SpeakerMessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            // Held until the release, so that it does not reach the show as a click.
            pressed_ = true;
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP:
            return OnButtonUp();
        case WM_CAPTURECHANGED:
            pressed_ = false;  // the press went elsewhere: its release is no click here
            return 0;
        case WM_DPICHANGED:
            return 0;  // sized by the DPI of its clock's monitor at each placing
        default:
            return OverlayWindow::HandleMessage(message, wParam, lParam);
    }
}

LRESULT SpeakerMessageWindow::OnButtonUp() {
    const bool clicked = pressed_;
    pressed_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    if (clicked && clicked_) clicked_();
    return 0;
}

LRESULT SpeakerMessageWindow::OnPaint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    UniqueBrush back(CreateSolidBrush(ToColorRef(kMessageBackColor)));
    FillRect(paint.Dc(), &client, back.Get());
    if (!font_) return 0;
    ScopedSelectObject select(paint.Dc(), font_.Get());
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), ToColorRef(kMessageTextColor));
    RECT text{client.left + marginPixels_, client.top + marginPixels_, client.right - marginPixels_,
              client.bottom - marginPixels_};
    DrawTextW(paint.Dc(), text_.c_str(), static_cast<int>(text_.size()), &text, kTextFlags);
    return 0;
}

}  // namespace quorrin
