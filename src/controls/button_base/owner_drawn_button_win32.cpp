#include "controls/button_base/owner_drawn_button_win32.h"

#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"

#include <windowsx.h>

#include <utility>

namespace quorrin {

namespace {

// Bit 30 of a key message's lParam: the key was down before (auto-repeat).
constexpr LPARAM kKeyWasDownFlag = LPARAM{1} << 30;

ButtonKey KeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_SPACE:
            return ButtonKey::Space;
        case VK_RETURN:
            return ButtonKey::Enter;
        default:
            return ButtonKey::Other;
    }
}

}  // namespace

OwnerDrawnButton::OwnerDrawnButton(std::wstring caption, bool enabled, Traits traits)
    : caption_(std::move(caption)), enabled_(enabled), traits_(traits) {}

OwnerDrawnButton::~OwnerDrawnButton() = default;

bool OwnerDrawnButton::CreateButton(HINSTANCE instance, const WindowClassSpec& windowClass,
                                    HWND parent, int controlId, const RECT& placePixels) {
    instance_ = instance;
    if (!CreateChild(instance, windowClass, parent, controlId, placePixels,
                     WS_TABSTOP | (enabled_ ? 0 : WS_DISABLED), caption_.c_str())) {
        return false;
    }
    dpi_ = WindowDpi(Handle());
    SetToolTip(toolTipText_);
    return true;
}

void OwnerDrawnButton::SetCaption(const std::wstring& caption) {
    // Through the window text, so that screen readers and WM_GETTEXT see the same caption.
    if (Handle() != nullptr) {
        SetWindowTextW(Handle(), caption.c_str());
    } else {
        caption_ = caption;
    }
}

void OwnerDrawnButton::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (Handle() == nullptr) return;
    EnableWindow(Handle(), enabled ? TRUE : FALSE);
    Restyle();
}

void OwnerDrawnButton::SetToolTip(const std::wstring& text) {
    toolTipText_ = text;
    if (Handle() != nullptr) toolTip_.Set(instance_, Handle(), text, TipLook());
}

void OwnerDrawnButton::SetDpi(int32_t dpi) {
    dpi_ = dpi;
    if (Handle() != nullptr) Restyle();
}

HFONT OwnerDrawnButton::CaptionFont() {
    if (font_ != nullptr) return font_;
    const HWND parent = GetParent(Handle());
    if (parent != nullptr) {
        const auto parentFont = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
        if (parentFont != nullptr) return parentFont;
    }
    return FallbackFont();
}

bool OwnerDrawnButton::Inside(LPARAM point) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return PtInRect(&client, at) != FALSE;
}

LRESULT OwnerDrawnButton::OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT OwnerDrawnButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    toolTip_.Relay(Handle(), message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND:
            return 1;  // the face covers the whole button
        case WM_SIZE:
            return OnSize();
        case WM_MOUSEMOVE:
            return OnMouseMove(lParam);
        case WM_LBUTTONDOWN:
            return OnButtonDown(MouseButton::Left);
        case WM_RBUTTONDOWN:
            return OnButtonDown(MouseButton::Right);
        case WM_MBUTTONDOWN:
            return OnButtonDown(MouseButton::Middle);
        case WM_XBUTTONDOWN:
            OnButtonDown(MouseButton::X);
            return TRUE;  // X-button messages report being handled with TRUE
        case WM_LBUTTONUP:
            return OnButtonUp(MouseButton::Left, lParam);
        case WM_RBUTTONUP:
            return OnButtonUp(MouseButton::Right, lParam);
        case WM_MBUTTONUP:
            return OnButtonUp(MouseButton::Middle, lParam);
        case WM_XBUTTONUP:
            OnButtonUp(MouseButton::X, lParam);
            return TRUE;
        case WM_CAPTURECHANGED:
            return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        case WM_KEYDOWN:
            return OnKeyDown(wParam, lParam);
        case WM_KEYUP:
            return OnKeyUp(wParam);
        case WM_GETDLGCODE:
            return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
            return OnFocusChanged(true);
        case WM_KILLFOCUS:
            return OnFocusChanged(false);
        case WM_UPDATEUISTATE:
            return OnUpdateUiState(wParam, lParam);
        case BM_CLICK:
            return OnClickMessage();
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        case WM_SETFONT:
            return OnSetFont(reinterpret_cast<HFONT>(wParam));
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_ENABLE:
            return OnEnable(wParam != FALSE);
        case WM_DESTROY:
            return OnDestroy();
        default:
            return OtherMessage(message, wParam, lParam);
    }
}

LRESULT OwnerDrawnButton::OnPaint() {
    PaintScope paint(Handle());
    PaintWithFocusMark(paint.Dc());
    return 0;
}

LRESULT OwnerDrawnButton::OnPrintClient(HDC dc) {
    PaintWithFocusMark(dc);
    return 0;
}

void OwnerDrawnButton::PaintWithFocusMark(HDC dc) {
    PaintFace(dc);
    if (GetFocus() != Handle()) return;
    // The keyboard cues may be hidden until the keyboard is used (WM_UPDATEUISTATE).
    if ((SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) return;
    RECT mark{};
    GetClientRect(Handle(), &mark);
    const int inset = ScalePixels(traits_.focusMarkInsetPixels, dpi_);
    InflateRect(&mark, -inset, -inset);
    if (mark.right <= mark.left || mark.bottom <= mark.top) return;
    // DrawFocusRect inverts its dots: the caller draws it once on a freshly painted face.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &mark);
}

LRESULT OwnerDrawnButton::OnSize() {
    toolTip_.FitToControl(Handle());
    Restyle();
    return 0;
}

LRESULT OwnerDrawnButton::OnMouseMove(LPARAM point) {
    // Posted input can reach a disabled window; the button ignores it like the system does.
    if (enabled_) MouseMoved(point);
    return 0;
}

LRESULT OwnerDrawnButton::OnButtonDown(MouseButton button) {
    if (!enabled_ || Pressed()) return 0;
    if (GetFocus() != Handle()) SetFocus(Handle());
    if (!traits_.clicksWithAnyButton && button != MouseButton::Left) return 0;
    // The capture brings the release here even when it happens outside the button.
    if (GetCapture() != Handle()) SetCapture(Handle());
    mousePress_ = button;
    PressChanged();
    return 0;
}

LRESULT OwnerDrawnButton::OnButtonUp(MouseButton button, LPARAM point) {
    // Only the release of the pressing button completes the press.
    if (mousePress_ != button) return 0;
    EndPress();
    if (Inside(point)) Click();
    return 0;
}

void OwnerDrawnButton::EndPress() {
    mousePress_.reset();
    if (GetCapture() == Handle()) ReleaseCapture();
    PressChanged();
}

LRESULT OwnerDrawnButton::OnCaptureChanged(HWND newCapture) {
    // Capture taken away mid-press (another window, a menu, Alt+Tab): no click.
    if (mousePress_ && newCapture != Handle()) {
        mousePress_.reset();
        PressChanged();
    }
    return 0;
}

LRESULT OwnerDrawnButton::OnKeyDown(WPARAM key, LPARAM flags) {
    if (!enabled_ || mousePress_) return 0;
    const bool wasPressed = Pressed();
    const bool click = keys_.KeyDown(KeyOf(key), (flags & kKeyWasDownFlag) != 0);
    if (Pressed() != wasPressed) PressChanged();
    if (click) Click();
    return 0;
}

LRESULT OwnerDrawnButton::OnKeyUp(WPARAM key) {
    const bool wasPressed = Pressed();
    const bool click = keys_.KeyUp(KeyOf(key)) && enabled_;
    if (Pressed() != wasPressed) PressChanged();
    if (click) Click();
    return 0;
}

LRESULT OwnerDrawnButton::OnGetDlgCode(const MSG* message) const {
    // IsDialogMessageW gives Enter to the dialog's default button unless the focused control
    // asks for it: this one does, and clicks on it.
    if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        return DLGC_WANTMESSAGE;
    }
    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
}

LRESULT OwnerDrawnButton::OnFocusChanged(bool focused) {
    if (!focused && keys_.SpaceHeld()) {
        keys_.Cancel();
        PressChanged();
    }
    InvalidateRect(Handle(), nullptr, FALSE);  // the focus mark comes or goes
    return 0;
}

LRESULT OwnerDrawnButton::OnUpdateUiState(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(WM_UPDATEUISTATE, wParam, lParam);
    InvalidateRect(Handle(), nullptr, FALSE);
    return result;
}

LRESULT OwnerDrawnButton::OnClickMessage() {
    if (enabled_) Click();
    return 0;
}

LRESULT OwnerDrawnButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(WM_SETTEXT, wParam, lParam);
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    caption_ = text != nullptr ? text : L"";
    Restyle();
    return result;
}

LRESULT OwnerDrawnButton::OnSetFont(HFONT font) {
    // Laid out with the new font at once; the repaint it asks for does no harm when the
    // sender asked for none.
    font_ = font;
    Restyle();
    return 0;
}

LRESULT OwnerDrawnButton::OnEnable(bool enabled) {
    enabled_ = enabled;
    if (!enabled) {
        keys_.Cancel();
        if (mousePress_) EndPress();  // ends a press without a click
    }
    Restyle();
    return 0;
}

LRESULT OwnerDrawnButton::OnDestroy() {
    toolTip_.Destroy();
    return 0;
}

void OwnerDrawnButton::Click() {
    const HWND self = Handle();
    SendMessageW(GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
}

}  // namespace quorrin
