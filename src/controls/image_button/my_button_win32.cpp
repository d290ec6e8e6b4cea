#include "controls/image_button/my_button_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"
#include "controls/image_button/button_paint_win32.h"
#include "controls/image_button/button_pictures_win32.h"
#include "win32/tool_tip_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

enum class ButtonTimer : UINT_PTR { Hover = 1 };
// The hover ends on the first tick that finds no pointer movement since the tick before.
constexpr UINT kHoverTimerMs = 50;

constexpr COLORREF kBorderNormalColor = RGB(155, 155, 255);
constexpr COLORREF kBorderHoveredColor = RGB(100, 100, 200);
constexpr COLORREF kCaptionEnabledColor = RGB(0, 0, 0);
constexpr COLORREF kCaptionDisabledColor = RGB(128, 128, 128);

// Caption font when neither the button nor its parent has one: the system's message-box
// size in 微软雅黑 (Microsoft YaHei), or whatever face the font mapper finds for Chinese.
constexpr const wchar_t* kFallbackFontFace = L"\u5FAE\u8F6F\u96C5\u9ED1";
constexpr LONG kFallbackFontHeightPixels = -12;  // 9 points at 96 dpi

UniqueFont MakeFallbackFont() {
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = kFallbackFontHeightPixels;
        font.lfWeight = FW_NORMAL;
    }
    lstrcpynW(font.lfFaceName, kFallbackFontFace, LF_FACESIZE);
    font.lfCharSet = GB2312_CHARSET;
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created) LogLastError(L"MyButton: CreateFontIndirectW");
    return created;
}

}  // namespace

struct MyButton::State {
    // The four properties and the optional tooltip.
    std::wstring caption;
    bool enabled = true;
    int32_t style = 0;
    int32_t overColor = 0;
    std::wstring toolTipText;

    HINSTANCE instance = nullptr;
    int32_t dpi = kDefaultDpi;
    std::shared_ptr<const ButtonPictures> pictures;
    ButtonLayout layout;
    int32_t borderWidthPixels = kInitialBorderWidthPixels;  // kept between layouts
    COLORREF captionColor = kCaptionEnabledColor;

    HFONT setFont = nullptr;       // from WM_SETFONT; owned by whoever set it
    UniqueFont fallbackFont;       // created when first needed
    HFONT measuredFont = nullptr;  // the font the layout measured the caption with

    UniqueBitmap icon;  // the stored icon resized to iconBox
    int32_t iconPicture = kNoPicture;
    ButtonBox iconBox;

    // Hover: set by each movement over the button, cleared by each timer tick.
    bool pointerMoved = false;
    bool hoverShown = false;
    // Press: the button-up message that completes it (left, right, middle or X button).
    bool pressed = false;
    UINT pressedUpMessage = 0;

    ToolTip toolTip;
};

MyButton::MyButton() : state_(std::make_unique<State>()) {}

MyButton::~MyButton() = default;

bool MyButton::Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels) {
    state_->instance = instance;
    state_->pictures = ButtonPictures::Of(instance);
    WindowClassSpec windowClass;
    windowClass.className = kMyButtonClassName;
    if (!CreateChild(instance, windowClass, parent, controlId, placePixels,
                     WS_TABSTOP | (state_->enabled ? 0 : WS_DISABLED), state_->caption.c_str())) {
        return false;
    }
    state_->dpi = WindowDpi(Handle());
    // The hover timer runs from the start; its first tick finds no movement and stops it.
    SetTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover), kHoverTimerMs, nullptr);
    ChangeEnabledColor();
    Relayout();
    state_->toolTip.Set(instance, Handle(), state_->toolTipText);
    return true;
}

void MyButton::SetCaption(const std::wstring& caption) {
    // Through the window text, so that screen readers and WM_SETTEXT see the same caption.
    if (Handle() != nullptr) {
        SetWindowTextW(Handle(), caption.c_str());
    } else {
        state_->caption = caption;
    }
}

void MyButton::SetEnabled(bool enabled) {
    state_->enabled = enabled;
    if (Handle() != nullptr) EnableWindow(Handle(), enabled ? TRUE : FALSE);
    ChangeEnabledColor();
    Relayout();
}

void MyButton::SetStyle(int32_t style) {
    state_->style = style;
    Relayout();
}

void MyButton::SetOverColor(int32_t overColor) {
    state_->overColor = overColor;
    Relayout();
}

void MyButton::SetToolTip(const std::wstring& text) {
    state_->toolTipText = text;
    if (Handle() != nullptr) state_->toolTip.Set(state_->instance, Handle(), text);
}

void MyButton::SetDpi(int32_t dpi) {
    state_->dpi = dpi;
    Relayout();
}

const std::wstring& MyButton::Caption() const { return state_->caption; }
bool MyButton::Enabled() const { return state_->enabled; }
int32_t MyButton::Style() const { return state_->style; }
int32_t MyButton::OverColor() const { return state_->overColor; }

LRESULT MyButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    state_->toolTip.Relay(Handle(), message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_ERASEBKGND:
            return 1;  // everything is painted in WM_PAINT, off screen
        case WM_SIZE:
            Relayout();
            return 0;
        case WM_MOUSEMOVE:
            return OnMouseMove();
        case WM_LBUTTONDOWN:
            return OnButtonDown(WM_LBUTTONUP);
        case WM_RBUTTONDOWN:
            return OnButtonDown(WM_RBUTTONUP);
        case WM_MBUTTONDOWN:
            return OnButtonDown(WM_MBUTTONUP);
        case WM_XBUTTONDOWN:
            OnButtonDown(WM_XBUTTONUP);
            return TRUE;  // X-button messages report being handled with TRUE
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnButtonUp(message, lParam);
        case WM_XBUTTONUP:
            OnButtonUp(message, lParam);
            return TRUE;
        case WM_CAPTURECHANGED:
            return OnCaptureChanged();
        case WM_TIMER:
            return wParam == static_cast<UINT_PTR>(ButtonTimer::Hover)
                       ? OnHoverTimer()
                       : DefaultHandling(message, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS;  // character keys reach the button inside dialogs too
        case WM_CHAR:
            return OnChar(wParam);
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        case WM_SETFONT:
            return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state_->setFont);
        case WM_ENABLE:
            return OnEnable(wParam != FALSE);
        case WM_DESTROY:
            return OnDestroy();
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT MyButton::OnPaint() {
    PaintScope paint(Handle());
    PaintTo(paint.Dc());
    return 0;
}

LRESULT MyButton::OnPrintClient(HDC dc) {
    PaintTo(dc);
    return 0;
}

LRESULT MyButton::OnMouseMove() {
    if (!state_->enabled) return 0;
    if (!state_->pointerMoved) {
        state_->hoverShown = true;
        SetTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover), kHoverTimerMs, nullptr);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    state_->pointerMoved = true;
    return 0;
}

LRESULT MyButton::OnHoverTimer() {
    if (state_->pointerMoved) {
        state_->pointerMoved = false;
    } else {
        EndHover();
    }
    return 0;
}

void MyButton::EndHover() {
    KillTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover));
    if (state_->hoverShown) {
        state_->hoverShown = false;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

LRESULT MyButton::OnButtonDown(UINT upMessage) {
    // Posted input can reach a disabled window; the button ignores it like the system does.
    if (!state_->enabled || state_->pressed) return 0;
    state_->pressed = true;
    state_->pressedUpMessage = upMessage;
    if (GetFocus() != Handle()) SetFocus(Handle());
    // The capture brings the release here even when it happens outside the button.
    SetCapture(Handle());
    InvalidateRect(Handle(), nullptr, FALSE);
    return 0;
}

LRESULT MyButton::OnButtonUp(UINT message, LPARAM lParam) {
    if (!state_->pressed || message != state_->pressedUpMessage) return 0;
    state_->pressed = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    InvalidateRect(Handle(), nullptr, FALSE);

    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&client, at) == FALSE) return 0;
    // The parent may destroy the button (and this object) while handling the click, so
    // nothing of the object is used after the notification.
    const HWND self = Handle();
    SendMessageW(GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
    return 0;
}

LRESULT MyButton::OnCaptureChanged() {
    // Capture taken away mid-press (another window, a menu, Alt+Tab): no click.
    if (state_->pressed) {
        state_->pressed = false;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    return 0;
}

LRESULT MyButton::OnChar(WPARAM character) {
    const HWND self = Handle();
    SendMessageW(GetParent(self), kMyButtonKeyPress, character, reinterpret_cast<LPARAM>(self));
    return 0;
}

LRESULT MyButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(WM_SETTEXT, wParam, lParam);
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    state_->caption = text != nullptr ? text : L"";
    Relayout();
    return result;
}

LRESULT MyButton::OnSetFont(HFONT font, bool redraw) {
    state_->setFont = font;
    UpdateLayout();
    if (redraw) InvalidateRect(Handle(), nullptr, FALSE);
    return 0;
}

LRESULT MyButton::OnEnable(bool enabled) {
    state_->enabled = enabled;
    if (!enabled) {
        if (GetCapture() == Handle()) ReleaseCapture();  // ends a press without a click
        state_->pressed = false;
    }
    ChangeEnabledColor();
    return 0;
}

LRESULT MyButton::OnDestroy() {
    state_->toolTip.Destroy();
    return 0;
}

void MyButton::ChangeEnabledColor() {
    state_->captionColor = state_->enabled ? kCaptionEnabledColor : kCaptionDisabledColor;
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

HFONT MyButton::CaptionFont() {
    if (state_->setFont != nullptr) return state_->setFont;
    const HWND parent = GetParent(Handle());
    if (parent != nullptr) {
        const auto parentFont = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
        if (parentFont != nullptr) return parentFont;
    }
    if (!state_->fallbackFont) state_->fallbackFont = MakeFallbackFont();
    return state_->fallbackFont.Get();
}

void MyButton::UpdateLayout() {
    if (Handle() == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);

    // The caption is sized to its text, one line of the font high.
    const HFONT font = CaptionFont();
    SIZE captionPixels{};
    {
        WindowDcScope dc(Handle());
        ScopedSelectObject select(dc.Dc(), font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Dc(), &metrics);
        GetTextExtentPoint32W(dc.Dc(), state_->caption.c_str(),
                              static_cast<int>(state_->caption.size()), &captionPixels);
        captionPixels.cy = metrics.tmHeight;
    }
    state_->measuredFont = font;

    const int32_t dpi = state_->dpi;
    const auto twips = [dpi](LONG pixels) {
        return PixelsToTwips(static_cast<int32_t>(pixels), dpi);
    };
    state_->layout = LayoutButton(twips(client.right), twips(client.bottom),
                                  twips(captionPixels.cx), twips(captionPixels.cy),
                                  static_cast<uint8_t>(state_->style), state_->borderWidthPixels);
    state_->borderWidthPixels = state_->layout.borderWidthPixels;

    // The icon is drawn square, resized once here rather than stretched at every paint.
    ButtonBox iconBox = TwipsToPixels(state_->layout.iconTwips, dpi);
    iconBox.width = iconBox.height;
    const BgraPicture* stored =
        state_->pictures != nullptr ? state_->pictures->Icon(state_->layout.iconPicture) : nullptr;
    if (stored == nullptr || iconBox.height <= 0) {
        state_->icon.Reset();
        state_->iconPicture = kNoPicture;
    } else if (state_->iconPicture != state_->layout.iconPicture ||
               state_->iconBox.height != iconBox.height || !state_->icon) {
        state_->icon = MakeAlphaBitmap(ResizeByAreaAverage(*stored, iconBox.width, iconBox.height));
        state_->iconPicture = state_->layout.iconPicture;
    }
    state_->iconBox = iconBox;
}

void MyButton::Relayout() {
    if (Handle() == nullptr) return;
    UpdateLayout();
    // A new layout starts without the hover look; the timer keeps running, and the first
    // movement after its next tick brings the look back.
    state_->hoverShown = false;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void MyButton::PaintTo(HDC dc) {
    // The parent's font may have changed since the last layout.
    if (CaptionFont() != state_->measuredFont) UpdateLayout();
    RECT client{};
    GetClientRect(Handle(), &client);
    const State& s = *state_;
    const int32_t dpi = s.dpi;
    const int32_t widthTwips = PixelsToTwips(static_cast<int32_t>(client.right), dpi);
    const int32_t heightTwips = PixelsToTwips(static_cast<int32_t>(client.bottom), dpi);

    ButtonScene scene;
    scene.widthPixels = client.right;
    scene.heightPixels = client.bottom;
    if (s.pictures != nullptr) {
        scene.background = s.pictures->Background(s.pressed ? kPressedBackgroundPicture
                                                            : kNormalBackgroundPicture);
        // While pressed the hover picture is hidden, and shows again on release.
        if (s.hoverShown && !s.pressed) {
            scene.hover = s.pictures->Background(HoverPictureNumber(s.overColor));
        }
    }
    scene.hoverBox = TwipsToPixels(HoverBoxTwips(widthTwips, heightTwips), dpi);
    scene.borderColor = s.hoverShown ? kBorderHoveredColor : kBorderNormalColor;
    // The border's width is counted in pixels at 96 dpi: as thick to the eye at every scale.
    scene.borderWidthPixels = std::max(1, ScalePixels(s.borderWidthPixels, dpi));
    scene.cornerPixels =
        std::min<int32_t>({TwipsToPixels(ButtonBox{0, 0, kBorderCornerTwips, 0}, dpi).width,
                           client.right, client.bottom});
    scene.icon = s.icon.Get();
    scene.iconBox = s.iconBox;
    scene.caption = &s.caption;
    scene.captionBox = TwipsToPixels(s.layout.captionTwips, dpi);
    scene.font = s.measuredFont;
    scene.captionColor = s.captionColor;
    PaintButtonScene(dc, scene);
}

}  // namespace quorrin
