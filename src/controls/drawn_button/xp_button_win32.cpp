#include "controls/drawn_button/xp_button_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/gdi_scope_win32.h"
#include "controls/drawn_button/drawn_button_resources.h"

#include <windowsx.h>

#include <utility>

namespace quorrin {

namespace {

constexpr uint32_t kSystemColorFlag = 0x80000000;
constexpr uint32_t kSystemColorIndexMask = 0xFF;

UniqueBitmap LoadFace(HINSTANCE module, int32_t number) {
    const WORD id = static_cast<WORD>(kFirstButtonFaceId + number);
    UniqueBitmap face(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!face) LogLastError(L"XPButton: face " + std::to_wstring(number));
    return face;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) return {};
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

XPButton::XPButton() = default;

XPButton::~XPButton() {
    if (buffer_ && bufferOldBitmap_ != nullptr) SelectObject(buffer_.Get(), bufferOldBitmap_);
}

bool XPButton::Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels,
                      int32_t dpi) {
    instance_ = instance;
    dpi_ = dpi;
    for (int32_t n = 0; n < kButtonFaceCount; ++n) {
        faces_[static_cast<size_t>(n)] = LoadFace(instance, n);
    }
    WindowClassSpec windowClass;
    windowClass.className = kXPButtonClassName;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!CreateChild(instance, windowClass, parent, controlId, placePixels,
                     WS_TABSTOP | (enabled_ ? 0 : WS_DISABLED), caption_.c_str())) {
        return false;
    }
    PrintB(FaceRequest::Resting);
    SetToolTip(toolTipText_);
    return true;
}

void XPButton::SetDpi(int32_t dpi) {
    dpi_ = dpi;
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void XPButton::SetCaption(const std::wstring& caption) {
    // Through the window text, so that WM_GETTEXT and screen readers see the caption.
    if (Handle() != nullptr) {
        SetWindowTextW(Handle(), caption.c_str());
    } else {
        caption_ = caption;
    }
}

void XPButton::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (Handle() != nullptr) EnableWindow(Handle(), enabled ? TRUE : FALSE);
    PrintB(FaceRequest::Resting);
}

void XPButton::SetStyle(int32_t style) {
    style_ = style;
    PrintB(FaceRequest::Resting);
}

void XPButton::SetPicture(UniqueBitmap picture) {
    picture_ = std::move(picture);
    PrintB(FaceRequest::Resting);
}

void XPButton::SetForeColor(uint32_t color) {
    foreColor_ = color;
    PrintB(FaceRequest::Resting);
}

void XPButton::SetToolTip(const std::wstring& text) {
    toolTipText_ = text;
    if (Handle() == nullptr) return;
    ToolTipLook look;
    look.balloon = true;
    look.maxWidthPixels = kXPButtonTipWidthPixels;
    look.backColor = kXPButtonTipBackColor;
    look.textColor = kXPButtonTipTextColor;
    toolTip_.Set(instance_, Handle(), text, look);
}

LRESULT XPButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_PRINTCLIENT:
            if (buffer_) {
                BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, bufferSize_.cx, bufferSize_.cy,
                       buffer_.Get(), 0, 0, SRCCOPY);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the back buffer covers the whole button
        case WM_SIZE:
            return OnSize();
        case WM_MOUSEMOVE:
            return OnMouseMove(lParam);
        case WM_LBUTTONDOWN:
            return OnButtonDown(true);
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return OnButtonDown(false);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnButtonUp(message, lParam);
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_GETDLGCODE:
            return OnGetDlgCode(lParam);
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        case WM_SETFONT:
            return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_ENABLE:
            return OnEnable(wParam != FALSE);
        case WM_DESTROY:
            toolTip_.Destroy();
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT XPButton::OnPaint() {
    PaintScope paint(Handle());
    if (buffer_) {
        BitBlt(paint.Dc(), 0, 0, bufferSize_.cx, bufferSize_.cy, buffer_.Get(), 0, 0, SRCCOPY);
    }
    return 0;
}

LRESULT XPButton::OnSize() {
    toolTip_.FitToControl(Handle());
    PrintB(FaceRequest::Resting);
    return 0;
}

bool XPButton::Inside(LPARAM point) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return PtInRect(&client, at) != FALSE;
}

LRESULT XPButton::OnMouseMove(LPARAM point) {
    // Posted input can reach a disabled window; the button ignores it like the system does.
    if (!enabled_) return 0;
    Apply(input_.MouseMove(Inside(point)));
    return 0;
}

LRESULT XPButton::OnButtonDown(bool leftButton) {
    if (!enabled_) return 0;
    leftDownHere_ = leftButton;
    if (GetFocus() != Handle()) SetFocus(Handle());
    // The release comes here wherever it happens, so that one outside does not click.
    if (leftButton) SetCapture(Handle());
    Apply(input_.MouseDown(leftButton));
    return 0;
}

LRESULT XPButton::OnButtonUp(UINT message, LPARAM point) {
    if (!enabled_) return 0;
    const bool completesClick = message == WM_LBUTTONUP && leftDownHere_ && Inside(point);
    if (message == WM_LBUTTONUP) leftDownHere_ = false;
    if (message == WM_LBUTTONUP && GetCapture() == Handle()) ReleaseCapture();
    Apply(input_.MouseUp());
    if (completesClick) Apply(input_.Clicked());
    return 0;
}

LRESULT XPButton::OnKeyDown(WPARAM key) {
    if (key == VK_RETURN && enabled_) Apply(input_.EnterKey());
    return 0;
}

LRESULT XPButton::OnGetDlgCode(LPARAM message) {
    // Enter comes here rather than to a dialog's default button.
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        return DLGC_WANTMESSAGE;
    }
    return 0;
}

LRESULT XPButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(WM_SETTEXT, wParam, lParam);
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    caption_ = text != nullptr ? text : L"";
    PrintB(FaceRequest::Resting);
    return result;
}

LRESULT XPButton::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    PrintB(FaceRequest::Resting);
    if (!redraw) ValidateRect(Handle(), nullptr);
    return 0;
}

LRESULT XPButton::OnEnable(bool enabled) {
    enabled_ = enabled;
    if (!enabled && GetCapture() == Handle()) ReleaseCapture();
    PrintB(FaceRequest::Resting);
    return 0;
}

bool XPButton::Apply(const ButtonReaction& reaction) {
    if (reaction.draw) PrintB(*reaction.draw);
    if (reaction.capture && GetCapture() != Handle()) SetCapture(Handle());
    if (reaction.releaseCapture && GetCapture() == Handle()) ReleaseCapture();
    if (!reaction.click) return true;
    // The parent may destroy the button while handling the click: nothing of it is used
    // after the notification.
    const HWND self = Handle();
    SendMessageW(GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
    return false;
}

void XPButton::EnsureBuffer(int width, int height) {
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

void XPButton::PrintB(FaceRequest request) {
    if (Handle() == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return;
    EnsureBuffer(width, height);
    if (!buffer_ || !bufferBitmap_) return;
    const HDC dc = buffer_.Get();

    UniqueBrush back(CreateSolidBrush(kXPButtonBackColor));
    FillRect(dc, &client, back.Get());

    const HBITMAP face = faces_[static_cast<size_t>(ResolveFace(request, enabled_))].Get();
    UniqueMemoryDc faceDc(CreateCompatibleDC(dc));
    if (face != nullptr && faceDc) {
        ScopedSelectObject select(faceDc.Get(), face);
        // Whole pixels of the face, no blending: the corners stay exactly as stored.
        SetStretchBltMode(dc, COLORONCOLOR);
        const int32_t corner = TwipsToPixels(kFaceCornerTwips, dpi_);
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

void XPButton::SetText(HDC dc, int width, int height) {
    // Every step on its own: a picture that cannot be drawn still leaves the caption.
    ScopedSelectObject selectFont(dc, CaptionFont());
    SIZE text{};
    if (!caption_.empty()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
        text.cy = metrics.tmHeight;
    }
    const SIZE picture = BitmapSize(picture_.Get());
    const bool hasPicture = picture_ && picture.cx > 0 && picture.cy > 0;
    const CaptionPlacement placed = PlaceCaption(width, height, hasPicture, picture.cx, picture.cy,
                                                 caption_.empty(), text.cx, text.cy, style_);
    if (placed.picture) {
        UniqueMemoryDc pictureDc(CreateCompatibleDC(dc));
        if (pictureDc) {
            ScopedSelectObject select(pictureDc.Get(), picture_.Get());
            BitBlt(dc, (*placed.picture)[0], (*placed.picture)[1], picture.cx, picture.cy,
                   pictureDc.Get(), 0, 0, SRCCOPY);
        }
    }
    if (placed.caption) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, CaptionColor());
        // One piece of text at its top-left corner: no wrapping, "&" is a plain character.
        TextOutW(dc, (*placed.caption)[0], (*placed.caption)[1], caption_.c_str(),
                 static_cast<int>(caption_.size()));
    }
}

HFONT XPButton::CaptionFont() const {
    if (font_ != nullptr) return font_;
    // The host's font until one is set.
    const HWND parent = GetParent(Handle());
    if (parent != nullptr) {
        const auto parentFont = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
        if (parentFont != nullptr) return parentFont;
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF XPButton::CaptionColor() const {
    if ((foreColor_ & kSystemColorFlag) != 0) {
        return GetSysColor(static_cast<int>(foreColor_ & kSystemColorIndexMask));
    }
    return static_cast<COLORREF>(foreColor_);
}

}  // namespace quorrin
