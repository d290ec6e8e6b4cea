#include "dialogs/style/style_dialog_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/frame_guard_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"
#include "dialogs/common/pickers_win32.h"

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 9405 x 4710 client area.
// A drop-down list's height includes its opened list. The controls on the left share one
// right edge, with the opacity and position lists wide enough for "屏幕右上角" in the dialog
// font beside their captions; the preview starts a little further right to make room.
constexpr int32_t kClientWidthTwips = 9405;
constexpr int32_t kClientHeightTwips = 4710;
constexpr TwipRect kFontCaptionTwips{360, 1320, 900, 240};
constexpr TwipRect kFontListTwips{360, 1560, 1995, 3300};
constexpr TwipRect kSizeCaptionTwips{360, 1965, 360, 255};
constexpr TwipRect kSizeListTwips{780, 1935, 915, 3300};
constexpr TwipRect kTextColorTwips{1860, 1920, 495, 300};
constexpr TwipRect kBackColorTwips{360, 2400, 1995, 375};
constexpr TwipRect kAlphaCaptionTwips{360, 3000, 600, 255};
constexpr TwipRect kAlphaListTwips{960, 3000, 1395, 3300};
constexpr TwipRect kPosCaptionTwips{360, 3480, 600, 255};
constexpr TwipRect kPosListTwips{960, 3480, 1395, 1800};
constexpr TwipRect kScreensCaptionTwips{360, 3960, 600, 255};
constexpr TwipRect kScreensListTwips{960, 3960, 1395, 1200};
// In English the captions beside these lists ("Opacity", "Place", "Screens") are wider than the
// Chinese ones: the lists start further right, keeping their right edge.
constexpr int32_t kEnglishListShiftTwips = 60;

TwipRect BesideCaption(TwipRect list) {
    if (CurrentLanguage() == Language::English) {
        list.left += kEnglishListShiftTwips;
        list.width -= kEnglishListShiftTwips;
    }
    return list;
}
constexpr TwipRect kPreviewTwips{2475, 480, 6780, 3135};

// The drawn buttons' font: 宋体 9 pt in the GB2312 character set.
constexpr const wchar_t* kButtonFontFace = L"宋体";
constexpr int32_t kButtonFontTwips = 9 * kTwipsPerInch / kPointsPerInch;

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    // Out of memory, the list stops where it got to.
    constexpr int kGoOn = 1;
    constexpr int kStop = 0;
    return GuardFrame(
        L"CollectFace",
        [&] {
            reinterpret_cast<std::vector<std::string>*>(faces)->push_back(
                WideToUtf8(font->lfFaceName));
            return kGoOn;
        },
        kStop);
}

// The names of the fonts the screen has, each family once per character set it offers.
std::vector<std::string> ScreenFaces() {
    std::vector<std::string> faces;
    WindowDcScope screen(nullptr);
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.Dc(), &every, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

void AddItems(HWND list, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
    }
}

}  // namespace

StyleDialog::StyleDialog(AppState& state, ConfigFile& config, DialogHost& host,
                         ClockLayoutControl& layout)
    : SettingsDialog(&host, &state.Countdown), state_(state), config_(config), layout_(layout) {
    preview_.SetOnReleased([this] { preview_.Fit(); });
}

StyleDialog::~StyleDialog() = default;

DialogFrameSpec StyleDialog::Frame() const {
    return {.className = kStyleDialogClassName,
            .caption = TextId::StyleTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips,
            .closeLeftTwips = 8760,
            .closeTopTwips = 120,
            .buttonsTopTwips = 4110,
            .saveLeftTwips = 6360,
            .cancelLeftTwips = 7680};
}

void StyleDialog::LoadValues() {
    FillLists();
    ShowStyle(state_.Style);
}

void StyleDialog::MakeControls() {
    AddCaption(kStyleDialogFontCaptionId, UiText(TextId::StyleFont), kFontCaptionTwips);
    AddDropDownList(kStyleDialogFontListId, kFontListTwips);
    AddCaption(kStyleDialogSizeCaptionId, UiText(TextId::StyleSize), kSizeCaptionTwips);
    AddDropDownList(kStyleDialogSizeListId, kSizeListTwips);
    buttonFont_ = AddFont(kButtonFontFace, kButtonFontTwips, FW_NORMAL);
    textColorButton_ =
        MakeDrawnButton(kStyleDialogTextColorId, UiText(TextId::StyleTextColor), kTextColorTwips);
    backColorButton_ =
        MakeDrawnButton(kStyleDialogBackColorId, UiText(TextId::StyleBackColor), kBackColorTwips);
    AddCaption(kStyleDialogAlphaCaptionId, UiText(TextId::StyleAlpha), kAlphaCaptionTwips);
    AddDropDownList(kStyleDialogAlphaListId, BesideCaption(kAlphaListTwips));
    AddCaption(kStyleDialogPosCaptionId, UiText(TextId::StylePosition), kPosCaptionTwips);
    AddDropDownList(kStyleDialogPosListId, BesideCaption(kPosListTwips));
    AddCaption(kStyleDialogScreensCaptionId, UiText(TextId::StyleScreens), kScreensCaptionTwips);
    AddDropDownList(kStyleDialogScreensListId, BesideCaption(kScreensListTwips));
    StylePreviewIds ids;
    ids.pane = kStyleDialogPreviewId;
    ids.background = kStyleDialogBackgroundId;
    ids.digits = kStyleDialogDigitsId;
    if (!preview_.Create(Instance(), Handle(), PixelsOf(kPreviewTwips), ids,
                         UiText(TextId::StylePreview), DialogFont(), Dpi())) {
        LogDebug(L"StyleDialog", L"no preview");
    }
}

std::unique_ptr<DrawnButton> StyleDialog::MakeDrawnButton(int id, const std::wstring& caption,
                                                          const TwipRect& place) {
    auto button = std::make_unique<DrawnButton>();
    if (!button->Create(Instance(), Handle(), id, PixelsOf(place), Dpi())) {
        LogDebug(L"StyleDialog", L"drawn button " + std::to_wstring(id) + L" not created");
        return button;
    }
    SendMessageW(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    PlaceChild(button->Handle(), place);
    button->SetCaption(caption);
    button->SetEnabled(true);
    return button;
}

void StyleDialog::FillLists() {
    fonts_ = ScreenFontList(ScreenFaces());
    AddItems(GetDlgItem(Handle(), kStyleDialogFontListId), fonts_);
    AddItems(GetDlgItem(Handle(), kStyleDialogSizeListId), FontSizeItems());
    AddItems(GetDlgItem(Handle(), kStyleDialogAlphaListId), AlphaItems());
    AddItems(GetDlgItem(Handle(), kStyleDialogPosListId), PositionItems());
    AddItems(GetDlgItem(Handle(), kStyleDialogScreensListId), ScreensItems());
}

void StyleDialog::ShowStyle(const DisplayStyle& style) {
    preview_.Show(PreviewFromStyle(style));
    // A selection made here is handled as the user's own choice: the digits take the font
    // and the background is fitted around them.
    const int font = FontIndex(fonts_, style.numFontName);
    if (font != kNoListItem) {
        SendDlgItemMessageW(Handle(), kStyleDialogFontListId, CB_SETCURSEL, font, 0);
        OnFontChosen();
    }
    const int size = FontSizeIndex(style.numFontSize);
    if (size != kNoListItem) {
        SendDlgItemMessageW(Handle(), kStyleDialogSizeListId, CB_SETCURSEL, size, 0);
        OnSizeChosen();
    }
    SendDlgItemMessageW(Handle(), kStyleDialogAlphaListId, CB_SETCURSEL, AlphaIndex(style.Alpha),
                        0);
    SendDlgItemMessageW(Handle(), kStyleDialogPosListId, CB_SETCURSEL, PositionIndex(style.showPos),
                        0);
    SendDlgItemMessageW(Handle(), kStyleDialogScreensListId, CB_SETCURSEL,
                        ScreensIndex(style.Screens), 0);
}

int StyleDialog::Selected(int listId) const {
    const LRESULT index = SendDlgItemMessageW(Handle(), listId, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? kNoListItem : static_cast<int>(index);
}

void StyleDialog::OnFontChosen() {
    const int font = Selected(kStyleDialogFontListId);
    if (font == kNoListItem || static_cast<size_t>(font) >= fonts_.size()) return;
    preview_.SetDigitsFont(fonts_[static_cast<size_t>(font)], preview_.Preview().fontPoints);
    preview_.Fit();
}

void StyleDialog::OnSizeChosen() {
    const int size = Selected(kStyleDialogSizeListId);
    if (size == kNoListItem) return;
    preview_.SetDigitsFont(preview_.Preview().fontName, kSmallestFontPoints + size);
    preview_.Fit();
}

void StyleDialog::OnControl(int id, int code) {
    if (code == CBN_SELCHANGE) {
        if (id == kStyleDialogFontListId) OnFontChosen();
        if (id == kStyleDialogSizeListId) OnSizeChosen();
        // The opacity, position and screens lists only hold the choice until Save.
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kStyleDialogTextColorId) PickTextColor();
    if (id == kStyleDialogBackColorId) PickBackColor();
}

void StyleDialog::PickTextColor() {
    const auto stillOpen = OpenCheck();
    const int32_t color = PickColor(Handle());
    if (!stillOpen()) return;  // closed from elsewhere meanwhile
    if (color >= 0) preview_.SetTextColor(color);
}

void StyleDialog::PickBackColor() {
    const auto stillOpen = OpenCheck();
    const int32_t color = PickColor(Handle());
    if (!stillOpen()) return;
    if (color >= 0) preview_.SetBackColor(color);
}

bool StyleDialog::Save() {
    const TwipRect clock = layout_.MainClockRect();
    const StyleListChoices lists{Selected(kStyleDialogAlphaListId), Selected(kStyleDialogPosListId),
                                 Selected(kStyleDialogScreensListId)};
    const DisplayStyle chosen =
        StyleFromDialog(state_.Style, preview_.Preview(), lists, clock.left, clock.top);
    // On failure the clock keeps the style the file holds; the dialog keeps the user's
    // choices, so that Save can be tried again once the file is free.
    if (!Saved(config_, config_.SaveStyle(chosen))) return false;
    state_.Style = chosen;
    layout_.LayOutClocks();
    return true;
}

void StyleDialog::OnDpiLayout() {
    for (DrawnButton* button : {textColorButton_.get(), backColorButton_.get()}) {
        if (button != nullptr) button->SetDpi(Dpi());
    }
    preview_.SetDpi(Dpi(), PixelsOf(kPreviewTwips), DialogFont());
}

}  // namespace quorrin
