#include "controls/drawn_button/drawn_button_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/gdi_scope_win32.h"
#include "controls/drawn_button/drawn_button_resources.h"

#include <utility>

namespace quorrin {

namespace {

// The focus mark runs just inside the one-pixel frame: the buttons are low and their
// captions fill most of the face.
constexpr int32_t kFocusMarkInsetPixels = 2;  // at 96 dpi

UniqueBitmap LoadFace(HINSTANCE module, int32_t number) {
    const WORD id = static_cast<WORD>(kFirstButtonFaceId + number);
    UniqueBitmap face(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!face) LogLastError(L"LoadImageW for button face " + std::to_wstring(number));
    return face;
}

}  // namespace

DrawnButton::DrawnButton()
    : OwnerDrawnButton(
          kDrawnButtonDefaultCaption, false,
          {.clicksWithAnyButton = false, .focusMarkInsetPixels = kFocusMarkInsetPixels}) {}

DrawnButton::~DrawnButton() {
    if (buffer_ && bufferOldBitmap_ != nullptr) SelectObject(buffer_.Get(), bufferOldBitmap_);
}

bool DrawnButton::Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels,
                         int32_t dpi) {
    for (int32_t n = 0; n < kButtonFaceCount; ++n) {
        faces_[static_cast<size_t>(n)] = LoadFace(instance, n);
    }
    WindowClassSpec windowClass;
    windowClass.className = kDrawnButtonClassName;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!CreateButton(instance, windowClass, parent, controlId, placePixels)) return false;
    UseDpi(dpi);
    DrawFace(FaceRequest::Resting);
    return true;
}

ToolTipLook DrawnButton::TipLook() const {
    ToolTipLook look;
    look.balloon = true;
    look.maxWidthPixels = kDrawnButtonTipWidthPixels;
    look.backColor = kDrawnButtonTipBackColor;
    look.textColor = kDrawnButtonTipTextColor;
    return look;
}

void DrawnButton::PaintFace(HDC dc) {
    if (buffer_) BitBlt(dc, 0, 0, bufferSize_.cx, bufferSize_.cy, buffer_.Get(), 0, 0, SRCCOPY);
}

void DrawnButton::Restyle() { DrawFace(FaceRequest::Resting); }

void DrawnButton::MouseMoved(LPARAM point) { Apply(input_.MouseMove(Inside(point))); }

void DrawnButton::PressChanged() { Apply(input_.Press(Pressed())); }

void DrawnButton::Apply(const ButtonReaction& reaction) {
    if (reaction.draw) DrawFace(*reaction.draw);
    if (reaction.capture && GetCapture() != Handle()) SetCapture(Handle());
    // During a press the capture is the press's: it brings the release here.
    if (reaction.releaseCapture && !Pressed() && GetCapture() == Handle()) ReleaseCapture();
}

HFONT DrawnButton::FallbackFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void DrawnButton::EnsureBuffer(int width, int height) {
    if (buffer_ && bufferSize_.cx == width && bufferSize_.cy == height) return;
    WindowDcScope screen(Handle());
    if (!buffer_) {
        buffer_.Reset(CreateCompatibleDC(screen.Dc()));
        if (!buffer_) return;
    }
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Dc(), width, height));
    if (!bitmap) return;
    const HGDIOBJ previous = SelectObject(buffer_.Get(), bitmap.Get());
    if (bufferOldBitmap_ == nullptr) bufferOldBitmap_ = previous;
    bufferBitmap_ = std::move(bitmap);  // the old bitmap is no longer selected anywhere
    bufferSize_ = {width, height};
}

void DrawnButton::DrawFace(FaceRequest request) {
    if (Handle() == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return;
    EnsureBuffer(width, height);
    if (!buffer_ || !bufferBitmap_) return;
    const HDC dc = buffer_.Get();

    UniqueBrush back(CreateSolidBrush(kDrawnButtonBackColor));
    FillRect(dc, &client, back.Get());

    const HBITMAP face = faces_[static_cast<size_t>(ResolveFace(request, Enabled()))].Get();
    UniqueMemoryDc faceDc(CreateCompatibleDC(dc));
    if (face != nullptr && faceDc) {
        ScopedSelectObject select(faceDc.Get(), face);
        // Whole pixels of the face, no blending: the corners stay exactly as stored.
        SetStretchBltMode(dc, COLORONCOLOR);
        const int32_t corner = TwipsToPixels(kFaceCornerTwips, Dpi());
        for (const FacePiece& p : FacePieces(width, height, corner, kFaceWidthPixels,
                                             kFaceHeightPixels, kFaceCornerPixels)) {
            if (p.target.width <= 0 || p.target.height <= 0) continue;
            StretchBlt(dc, p.target.left, p.target.top, p.target.width, p.target.height,
                       faceDc.Get(), p.source.left, p.source.top, p.source.width, p.source.height,
                       SRCCOPY);
        }
    }
    SetText(dc, width, height);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void DrawnButton::SetText(HDC dc, int width, int height) {
    const std::wstring& caption = Caption();
    if (caption.empty()) return;
    ScopedSelectObject selectFont(dc, CaptionFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const auto [left, top] = CentredCaption(width, height, text.cx, metrics.tmHeight);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // One piece of text at its top-left corner: no wrapping, "&" is a plain character.
    TextOutW(dc, left, top, caption.c_str(), static_cast<int>(caption.size()));
}

}  // namespace quorrin
