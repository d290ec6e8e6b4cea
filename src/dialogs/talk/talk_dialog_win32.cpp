#include "dialogs/talk/talk_dialog_win32.h"

#include "dialogs/common/pickers_win32.h"
#include "win32/global_key_win32.h"
#include "win32/ui_text_win32.h"

#include <commctrl.h>

#include <utility>

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 6600 x 5520 client area.
constexpr int32_t kClientWidthTwips = 6600;
constexpr int32_t kClientHeightTwips = 5520;
constexpr TwipRect kOvertimeTwips{360, 780, 5880, 375};
constexpr TwipRect kColorsTwips{360, 1200, 5880, 375};
constexpr TwipRect kKeysTwips{360, 1620, 5880, 375};
constexpr TwipRect kWarningCaptionTwips{458, 2220, 1000, 255};
constexpr TwipRect kWarningSwatchTwips{1500, 2160, 600, 375};
constexpr TwipRect kWarningPickTwips{2160, 2100, 1020, 495};
constexpr TwipRect kOvertimeCaptionTwips{3420, 2220, 1000, 255};
constexpr TwipRect kOvertimeSwatchTwips{4440, 2160, 600, 375};
constexpr TwipRect kOvertimePickTwips{5100, 2100, 1020, 495};
// The key rows: caption, hot-key field and mark, one row every kKeyRowTwips.
constexpr int32_t kFirstKeyRowTopTwips = 2880;
constexpr int32_t kKeyRowTwips = 450;
constexpr TwipRect kKeyCaptionTwips{458, 60, 1500, 255};
constexpr TwipRect kKeyFieldTwips{2000, 0, 2700, 345};
constexpr TwipRect kKeyStateTwips{4800, 60, 1500, 255};

TwipRect KeyRow(const TwipRect& part, size_t row) {
    return {part.left, kFirstKeyRowTopTwips + static_cast<int32_t>(row) * kKeyRowTwips + part.top,
            part.width, part.height};
}

int KeyFieldId(size_t row) { return kTalkDialogFirstKeyId + static_cast<int>(row); }
int KeyStateId(size_t row) { return kTalkDialogFirstKeyStateId + static_cast<int>(row); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

TalkDialog::TalkDialog(AppState& state, ConfigFile& config, DialogHost& host,
                       std::function<bool(int32_t)> heldByProgram)
    : SettingsDialog(&host, &state.Countdown),
      state_(state),
      config_(config),
      heldByProgram_(std::move(heldByProgram)) {}

TalkDialog::~TalkDialog() = default;

DialogFrameSpec TalkDialog::Frame() const {
    return {.className = kTalkDialogClassName,
            .caption = TextId::TalkTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips};
}

void TalkDialog::MakeControls() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    const std::wstring pick = UiText(TextId::TalkPickColor);
    AddCheckBox(kTalkDialogOvertimeId, UiText(TextId::TalkOvertime), kOvertimeTwips);
    AddCheckBox(kTalkDialogColorsId, UiText(TextId::TalkColors), kColorsTwips);
    AddCheckBox(kTalkDialogKeysId, UiText(TextId::TalkKeys), kKeysTwips);
    AddCaption(kTalkDialogFirstCaptionId, UiText(TextId::TalkWarningColor), kWarningCaptionTwips);
    AddLabel(kTalkDialogWarningSwatchId, L"", kWarningSwatchTwips, SS_SUNKEN);
    AddButton(kTalkDialogWarningPickId, pick, kWarningPickTwips, kDefaultOverColor);
    AddCaption(kTalkDialogFirstCaptionId + 1, UiText(TextId::TalkOvertimeColor),
               kOvertimeCaptionTwips);
    AddLabel(kTalkDialogOvertimeSwatchId, L"", kOvertimeSwatchTwips, SS_SUNKEN);
    AddButton(kTalkDialogOvertimePickId, pick, kOvertimePickTwips, kDefaultOverColor);
    for (size_t row = 0; row < kTalkKeyCount; ++row) {
        AddCaption(kTalkDialogFirstCaptionId + 2 + static_cast<int>(row),
                   UiText(kShowKeys[row].caption), KeyRow(kKeyCaptionTwips, row));
        AddControl(KeyFieldId(row), HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER,
                   KeyRow(kKeyFieldTwips, row));
        AddLabel(KeyStateId(row), L"", KeyRow(kKeyStateTwips, row));
    }
}

void TalkDialog::LoadValues() {
    const TalkSettings& talk = state_.Talk;
    Check(Handle(), kTalkDialogOvertimeId, talk.Overtime);
    Check(Handle(), kTalkDialogColorsId, talk.Colors);
    Check(Handle(), kTalkDialogKeysId, talk.Keys);
    SetSwatch(talk.WarningColor, warningBrush_, kTalkDialogWarningSwatchId);
    warningColor_ = talk.WarningColor;
    SetSwatch(talk.OvertimeColor, overtimeBrush_, kTalkDialogOvertimeSwatchId);
    overtimeColor_ = talk.OvertimeColor;
    for (size_t row = 0; row < kTalkKeyCount; ++row) {
        SendDlgItemMessageW(Handle(), KeyFieldId(row), HKM_SETHOTKEY,
                            GlobalKeyToHotKeyControl(talk.*kShowKeys[row].field), 0);
    }
    ShowTakenKeys();
}

int32_t TalkDialog::KeyOf(size_t row) const {
    const auto hotKey = SendDlgItemMessageW(Handle(), KeyFieldId(row), HKM_GETHOTKEY, 0, 0);
    return GlobalKeyFromHotKeyControl(static_cast<WORD>(hotKey));
}

void TalkDialog::ShowTakenKeys() {
    for (size_t row = 0; row < kTalkKeyCount; ++row) {
        const int32_t key = KeyOf(row);
        const bool taken = !GlobalKeyFree(key) && !(heldByProgram_ && heldByProgram_(key));
        SetChildText(KeyStateId(row), taken ? UiText(TextId::TalkKeyTaken) : L"");
    }
}

void TalkDialog::OnControl(int id, int code) {
    if (id >= kTalkDialogFirstKeyId && id < KeyFieldId(kTalkKeyCount) && code == EN_CHANGE) {
        ShowTakenKeys();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kTalkDialogWarningPickId) {
        PickSwatchColor(warningColor_, warningBrush_, kTalkDialogWarningSwatchId);
    }
    if (id == kTalkDialogOvertimePickId) {
        PickSwatchColor(overtimeColor_, overtimeBrush_, kTalkDialogOvertimeSwatchId);
    }
}

void TalkDialog::PickSwatchColor(int32_t& color, UniqueBrush& brush, int swatchId) {
    const auto stillOpen = OpenCheck();
    const int32_t picked = PickColor(Handle());
    if (!stillOpen() || picked == kNoColor) return;
    color = picked;
    SetSwatch(color, brush, swatchId);
}

void TalkDialog::SetSwatch(int32_t color, UniqueBrush& brush, int swatchId) {
    brush = UniqueBrush(CreateSolidBrush(static_cast<COLORREF>(color)));
    InvalidateRect(GetDlgItem(Handle(), swatchId), nullptr, TRUE);
}

LRESULT TalkDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        return OnStaticColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), wParam,
                             lParam);
    }
    return SettingsDialog::HandleMessage(message, wParam, lParam);
}

// The two swatches are painted in their colours; every other label in the dialog's look.
LRESULT TalkDialog::OnStaticColor(HDC dc, HWND control, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(control);
    const HBRUSH swatch = id == kTalkDialogWarningSwatchId    ? warningBrush_.Get()
                          : id == kTalkDialogOvertimeSwatchId ? overtimeBrush_.Get()
                                                              : nullptr;
    if (swatch == nullptr) return SettingsDialog::HandleMessage(WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(swatch);
}

bool TalkDialog::Save() {
    TalkSettings talk = state_.Talk;
    talk.Overtime = Checked(Handle(), kTalkDialogOvertimeId);
    talk.Colors = Checked(Handle(), kTalkDialogColorsId);
    talk.Keys = Checked(Handle(), kTalkDialogKeysId);
    talk.WarningColor = warningColor_;
    talk.OvertimeColor = overtimeColor_;
    for (size_t row = 0; row < kTalkKeyCount; ++row) talk.*kShowKeys[row].field = KeyOf(row);
    // The settings take the new values once written; the dialog stays open otherwise.
    return Saved(config_, config_.SaveTalkSettings(talk));
}

}  // namespace quorrin
