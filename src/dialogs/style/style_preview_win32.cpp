#include "dialogs/style/style_preview_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/wide_text_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

// The shape's rounded corners, as the clock window's (a 20-pixel ellipse at 96 dpi).
constexpr int32_t kShapeCornerTwips = 300;
// The preview frame's look: an etched line round the pane, broken for the caption near its left.
constexpr int kFrameCaptionLeftPixels = 8;
constexpr int kFrameCaptionGapPixels = 2;
// The clock's top-left corner lies this far inside the frame's left line and below the
// caption (pixels at 96 dpi), so that the shape never covers either.
constexpr int32_t kClockInsetPixelsAt96 = 8;
constexpr COLORREF kFrameShadowColor = RGB(160, 174, 196);
constexpr COLORREF kFrameLightColor = RGB(255, 255, 255);
constexpr COLORREF kFrameTextColor = RGB(33, 37, 41);

COLORREF ToColorRef(int32_t color) { return static_cast<COLORREF>(color) & 0x00FFFFFF; }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

// One of the two children. It draws nothing of its own: it shows the pane's picture of
// the area it covers, and reports presses and releases to the pane.
class StylePreviewPane::Part final : public WindowBase {
  public:
    Part(StylePreviewPane& pane, LPCWSTR cursor) : pane_(pane), cursor_(cursor) {}

    bool Create(HINSTANCE instance, HWND parent, int id) {
        WindowClassSpec windowClass;
        windowClass.className = kStylePreviewPartClassName;
        WindowPlacement placement;
        placement.style = WS_CHILD | WS_CLIPSIBLINGS;
        placement.owner = parent;
        if (!CreateFromSpec(instance, windowClass, placement)) return false;
        SetWindowLongPtrW(Handle(), GWLP_ID, id);
        return true;
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT:
                return OnPaint();
            case WM_ERASEBKGND:
                return 1;
            case WM_SETCURSOR:
                SetCursor(LoadCursorW(nullptr, cursor_));
                return TRUE;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                return OnButtonDown();
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
                return OnButtonUp();
            default:
                return DefaultHandling(message, wParam, lParam);
        }
    }

    LRESULT OnPaint() {
        PaintScope paint(Handle());
        RECT client{};
        GetClientRect(Handle(), &client);
        MapWindowPoints(Handle(), pane_.Handle(), reinterpret_cast<POINT*>(&client), 2);
        pane_.PaintArea(paint.Dc(), client);
        return 0;
    }

    LRESULT OnButtonDown() {
        // The release comes back here, wherever it happens.
        SetCapture(Handle());
        return 0;
    }

    LRESULT OnButtonUp() {
        if (GetCapture() == Handle()) ReleaseCapture();
        pane_.PartReleased(*this);
        return 0;
    }

    StylePreviewPane& pane_;
    LPCWSTR cursor_;
};

StylePreviewPane::StylePreviewPane()
    : background_(std::make_unique<Part>(*this, IDC_ARROW)),
      digits_(std::make_unique<Part>(*this, IDC_SIZEALL)) {}

StylePreviewPane::~StylePreviewPane() = default;

bool StylePreviewPane::Create(HINSTANCE instance, HWND dialog, const RECT& placePixels,
                              const StylePreviewIds& ids, const std::wstring& caption,
                              HFONT captionFont, int32_t dpi) {
    dialog_ = dialog;
    dpi_ = dpi;
    caption_ = caption;
    captionFont_ = captionFont;
    WindowClassSpec windowClass;
    windowClass.className = kStylePreviewClassName;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!CreateChild(instance, windowClass, dialog, ids.pane, placePixels, WS_CLIPCHILDREN,
                     caption_.c_str())) {
        return false;
    }
    PlaceClockOrigin();
    // The digits over the shape: a child created later lies below the earlier ones.
    bool made = digits_->Create(instance, Handle(), ids.digits);
    made = background_->Create(instance, Handle(), ids.background) && made;
    if (!made) LogDebug(L"StylePreviewPane", L"a part of the preview is missing");
    ShowWindow(background_->Handle(), SW_SHOWNA);
    ShowWindow(digits_->Handle(), SW_SHOWNA);
    return true;
}

void StylePreviewPane::SetDpi(int32_t dpi, const RECT& placePixels, HFONT captionFont) {
    dpi_ = dpi;
    captionFont_ = captionFont;
    if (Handle() == nullptr) return;
    SetWindowPos(Handle(), nullptr, placePixels.left, placePixels.top,
                 placePixels.right - placePixels.left, placePixels.bottom - placePixels.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceClockOrigin();
    MeasureDigits();
    PlaceParts();
}

void StylePreviewPane::Show(const StylePreview& preview) {
    preview_ = preview;
    MeasureDigits();
    PlaceParts();
}

void StylePreviewPane::SetDigitsFont(const std::string& fontName, int32_t points) {
    preview_.fontName = fontName;
    preview_.fontPoints = points;
    MeasureDigits();
    // The digits size themselves to their text, in whole twips.
    preview_.digits.width = PixelsToTwips(digitsText_.cx, dpi_);
    preview_.digits.height = PixelsToTwips(digitsText_.cy, dpi_);
    PlaceParts();
}

void StylePreviewPane::SetTextColor(int32_t color) {
    preview_.textColor = color;
    Redraw();
}

void StylePreviewPane::SetBackColor(int32_t color) {
    preview_.backColor = color;
    Redraw();
}

void StylePreviewPane::Fit() {
    FitPreviewBackground(preview_, digitsText_.cx, digitsText_.cy, dpi_);
    PlaceParts();
}

void StylePreviewPane::MeasureDigits() {
    LOGFONTW font{};
    font.lfHeight = -PointsToPixels(preview_.fontPoints, dpi_);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, Utf8ToWide(preview_.fontName).c_str(), LF_FACESIZE);
    digitsFont_.Reset(CreateFontIndirectW(&font));
    if (!digitsFont_) LogLastError(L"CreateFontIndirectW for the preview digits");

    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), digitsFont_ ? static_cast<HGDIOBJ>(digitsFont_.Get())
                                                       : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Dc(), &metrics);
    GetTextExtentPoint32W(screen.Dc(), kPreviewDigits, lstrlenW(kPreviewDigits), &digitsText_);
    digitsText_.cy = metrics.tmHeight;
}

void StylePreviewPane::PlaceClockOrigin() {
    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), captionFont_ != nullptr
                                               ? static_cast<HGDIOBJ>(captionFont_)
                                               : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(screen.Dc(), caption_.c_str(), static_cast<int>(caption_.size()), &text);
    const int inset = ScalePixels(kClockInsetPixelsAt96, dpi_);
    clockOrigin_ = {inset, text.cy + inset};
}

RECT StylePreviewPane::PixelsOf(const TwipRect& place) const {
    RECT r = WinRect(TwipsToPixels(place, dpi_));
    OffsetRect(&r, clockOrigin_.x, clockOrigin_.y);
    return r;
}

void StylePreviewPane::PlaceParts() {
    if (Handle() == nullptr) return;
    const auto place = [](const Part& part, const RECT& r) {
        SetWindowPos(part.Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(*background_, PixelsOf(preview_.background));
    place(*digits_, PixelsOf(preview_.digits));
    Redraw();
}

void StylePreviewPane::Redraw() {
    if (Handle() != nullptr)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void StylePreviewPane::PartReleased(const Part& part) {
    if (&part == digits_.get() && onReleased_) onReleased_();
}

LRESULT StylePreviewPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(Handle(), &client);
            PaintArea(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT StylePreviewPane::OnPaint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    PaintArea(paint.Dc(), client);
    return 0;
}

void StylePreviewPane::PaintArea(HDC target, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    UniqueMemoryDc memory(CreateCompatibleDC(target));
    UniqueBitmap canvas(CreateCompatibleBitmap(target, width, height));
    if (!memory || !canvas) return;
    ScopedSelectObject selectCanvas(memory.Get(), canvas.Get());
    const HDC dc = memory.Get();

    // The dialog's backdrop behind the pane, then the pane's picture, both shifted so that
    // `area` lands at (0, 0).
    POINT paneOrigin{0, 0};
    MapWindowPoints(Handle(), dialog_, &paneOrigin, 1);
    SetViewportOrgEx(dc, -(paneOrigin.x + area.left), -(paneOrigin.y + area.top), nullptr);
    SendMessageW(dialog_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    PaintFrame(dc);

    const RECT shape = PixelsOf(preview_.background);
    const int corner = TwipsToPixels(kShapeCornerTwips, dpi_);
    {
        UniqueBrush fill(CreateSolidBrush(ToColorRef(preview_.backColor)));
        ScopedSelectObject selectBrush(dc, fill.Get());
        ScopedSelectObject selectPen(dc, GetStockObject(NULL_PEN));
        // A null pen leaves the right and bottom edge one pixel short on some systems: reach
        // them, and clip to the shape's box on the others.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, shape.left, shape.top, shape.right, shape.bottom);
        RoundRect(dc, shape.left, shape.top, shape.right + 1, shape.bottom + 1, corner, corner);
        RestoreDC(dc, saved);
    }
    {
        RECT digits = PixelsOf(preview_.digits);
        ScopedSelectObject selectFont(dc, digitsFont_ ? static_cast<HGDIOBJ>(digitsFont_.Get())
                                                      : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ToColorRef(preview_.textColor));
        DrawTextW(dc, kPreviewDigits, -1, &digits,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    SetViewportOrgEx(dc, 0, 0, nullptr);
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void StylePreviewPane::PaintFrame(HDC dc) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    ScopedSelectObject selectFont(dc, captionFont_ != nullptr ? static_cast<HGDIOBJ>(captionFont_)
                                                              : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    const int top = text.cy / 2;
    const int gapLeft = kFrameCaptionLeftPixels - kFrameCaptionGapPixels;
    const int gapRight = kFrameCaptionLeftPixels + text.cx + kFrameCaptionGapPixels;
    const int right = client.right - 1;
    const int bottom = client.bottom - 1;
    // An etched line: a shadow line with a light line one pixel inside.
    for (const auto& [color, inset] : {std::pair{kFrameShadowColor, 0}, {kFrameLightColor, 1}}) {
        UniquePen pen(CreatePen(PS_SOLID, 1, color));
        ScopedSelectObject selectPen(dc, pen.Get());
        const int l = inset;
        const int t = top + inset;
        const int r = right - 1 + inset;
        const int b = bottom - 1 + inset;
        Line(dc, l, t, gapLeft, t);
        Line(dc, gapRight, t, r, t);
        Line(dc, r, t, r, b);
        Line(dc, r, b, l, b);
        Line(dc, l, b, l, t);
    }
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kFrameTextColor);
    TextOutW(dc, kFrameCaptionLeftPixels, 0, caption_.c_str(), static_cast<int>(caption_.size()));
}

}  // namespace quorrin
