#include "controls/image_button/image_button_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/gdi_scope_win32.h"
#include "controls/image_button/button_paint_win32.h"
#include "controls/image_button/button_pictures_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

enum class ButtonTimer : UINT_PTR { Hover = 1 };
// The hover ends on the first tick that finds no pointer movement since the tick before.
constexpr UINT kHoverTimerMs = 50;

// The focus mark clears the border and its rounded corners.
constexpr int32_t kFocusMarkInsetPixels = 4;  // at 96 dpi

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
    if (!created) LogLastError(L"CreateFontIndirectW for the button caption");
    return created;
}

}  // namespace

struct ImageButton::State {
    int32_t style = 0;
    int32_t overColor = 0;

    std::shared_ptr<const ButtonPictures> pictures;
    ButtonLayout layout;
    int32_t borderWidthPixels = kInitialBorderWidthPixels;  // kept between layouts

    UniqueFont fallbackFont;       // created when first needed
    HFONT measuredFont = nullptr;  // the font the layout measured the caption with

    UniqueBitmap icon;  // the stored icon resized to iconBox
    int32_t iconPicture = kNoPicture;
    ButtonBox iconBox;

    // Hover: set by each movement over the button, cleared by each timer tick.
    bool pointerMoved = false;
    bool hoverShown = false;
};

ImageButton::ImageButton()
    : OwnerDrawnButton(
          L"", true, {.clicksWithAnyButton = true, .focusMarkInsetPixels = kFocusMarkInsetPixels}),
      state_(std::make_unique<State>()) {}

ImageButton::~ImageButton() = default;

bool ImageButton::Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels) {
    state_->pictures = ButtonPictures::Of(instance);
    WindowClassSpec windowClass;
    windowClass.className = kImageButtonClassName;
    if (!CreateButton(instance, windowClass, parent, controlId, placePixels)) return false;
    // The hover timer runs from the start; its first tick finds no movement and stops it.
    SetTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover), kHoverTimerMs, nullptr);
    Restyle();
    return true;
}

void ImageButton::SetStyle(int32_t style) {
    state_->style = style;
    Restyle();
}

void ImageButton::SetOverColor(int32_t overColor) {
    state_->overColor = overColor;
    Restyle();
}

int32_t ImageButton::Style() const { return state_->style; }
int32_t ImageButton::OverColor() const { return state_->overColor; }

LRESULT ImageButton::OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == static_cast<UINT_PTR>(ButtonTimer::Hover)) {
        return OnHoverTimer();
    }
    return OwnerDrawnButton::OtherMessage(message, wParam, lParam);
}

void ImageButton::MouseMoved(LPARAM) {
    if (!state_->pointerMoved) {
        state_->hoverShown = true;
        SetTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover), kHoverTimerMs, nullptr);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    state_->pointerMoved = true;
}

LRESULT ImageButton::OnHoverTimer() {
    if (state_->pointerMoved) {
        state_->pointerMoved = false;
    } else {
        EndHover();
    }
    return 0;
}

void ImageButton::EndHover() {
    KillTimer(Handle(), static_cast<UINT_PTR>(ButtonTimer::Hover));
    if (state_->hoverShown) {
        state_->hoverShown = false;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void ImageButton::PressChanged() { InvalidateRect(Handle(), nullptr, FALSE); }

HFONT ImageButton::FallbackFont() {
    if (!state_->fallbackFont) state_->fallbackFont = MakeFallbackFont();
    return state_->fallbackFont.Get();
}

void ImageButton::UpdateLayout() {
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
        GetTextExtentPoint32W(dc.Dc(), Caption().c_str(), static_cast<int>(Caption().size()),
                              &captionPixels);
        captionPixels.cy = metrics.tmHeight;
    }
    state_->measuredFont = font;

    const int32_t dpi = Dpi();
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

void ImageButton::Restyle() {
    if (Handle() == nullptr) return;
    UpdateLayout();
    // A new layout starts without the hover look; the timer keeps running, and the first
    // movement after its next tick brings the look back.
    state_->hoverShown = false;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ImageButton::PaintFace(HDC dc) {
    // The parent's font may have changed since the last layout.
    if (CaptionFont() != state_->measuredFont) UpdateLayout();
    RECT client{};
    GetClientRect(Handle(), &client);
    const State& s = *state_;
    const int32_t dpi = Dpi();
    const bool pressed = Pressed();
    const int32_t widthTwips = PixelsToTwips(static_cast<int32_t>(client.right), dpi);
    const int32_t heightTwips = PixelsToTwips(static_cast<int32_t>(client.bottom), dpi);

    ButtonScene scene;
    scene.widthPixels = client.right;
    scene.heightPixels = client.bottom;
    if (s.pictures != nullptr) {
        scene.background =
            s.pictures->Background(pressed ? kPressedBackgroundPicture : kNormalBackgroundPicture);
        // While pressed the hover picture is hidden, and shows again on release.
        if (s.hoverShown && !pressed) {
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
    scene.caption = &Caption();
    scene.captionBox = TwipsToPixels(s.layout.captionTwips, dpi);
    scene.font = s.measuredFont;
    scene.captionColor = Enabled() ? kCaptionEnabledColor : kCaptionDisabledColor;
    PaintButtonScene(dc, scene);
}

}  // namespace quorrin
