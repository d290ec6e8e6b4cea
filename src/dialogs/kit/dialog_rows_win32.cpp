#include "dialogs/kit/dialog_rows_win32.h"

#include "geometry/units.h"
#include "win32/gdi_scope_win32.h"
#include "win32/global_key_win32.h"
#include "win32/clipboard_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"
#include "dialogs/common/pickers_win32.h"
#include "dialogs/kit/dialog_frame_win32.h"
#include "dialogs/kit/dialog_look_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace quorrin {

namespace {

// Around and between the rows.
constexpr int32_t kRowsTopGapTwips = 285;  // under the title bar
constexpr int32_t kRowsMarginTwips = 360;
constexpr int32_t kRowGapTwips = 105;
constexpr int32_t kColumnGapTwips = 120;
constexpr int32_t kButtonsGapTwips = 240;  // between the last row and 保存
// The parts whose size is not their text's.
constexpr int32_t kLineHeightTwips = 345;  // a check box, a hot-key field, a swatch
constexpr int32_t kSwatchWidthTwips = 600;
constexpr int32_t kKeyFieldWidthTwips = 2700;
constexpr PartSize kFileSizeTwips{2895, 495};  // two lines of a path
// A text or path a dialog shows: room for a full path in two lines.
constexpr int32_t kShownWidthTwips = 3960;
constexpr int32_t kButtonHeightTwips = 495;
constexpr int32_t kButtonLeastWidthTwips = 735;
constexpr int32_t kButtonPaddingTwips = 180;  // on each side of a button's text
constexpr int32_t kNumberFieldWidthTwips = 1200;
// A copy row's field is as wide as the longest text of such rows is made with, and at least
// this wide; the room an edit field keeps inside its border on each side.
constexpr int32_t kCopyTextLeastWidthTwips = 3600;
constexpr int32_t kEditPaddingTwips = 120;
// The digits a number field takes: any int32_t that many digits long.
constexpr WPARAM kNumberDigits = 9;
// A check box's box and the gap after it: 13 + 4 pixels at 96 dpi.
constexpr int32_t kCheckBoxPixels = 17;
// Text is measured at one DPI and shown at others, where hinting makes it a little wider:
// each measured width gets an eighth more.
constexpr int32_t kTextSlackDivisor = 8;

// The longest text a file label is read back with: more than Config.ini holds.
constexpr int kMaxShownPath = 1024;
// A full path wraps over the label's two lines like text in an edit control, also where it
// has no spaces.
constexpr DWORD kPathLabelStyle = SS_EDITCONTROL;
// A colour shows as a sunken swatch.
constexpr DWORD kSwatchStyle = SS_SUNKEN;

// How many controls a row of the kind makes, caption, field and action in that order.
std::array<bool, kRowParts> PartsOf(RowKind kind) {
    switch (kind) {
        case RowKind::Check:
        case RowKind::Note:
            return {true, false, false};
        case RowKind::Text:
        case RowKind::Path:
        case RowKind::Number:
            return {true, true, false};
        case RowKind::Button:
            return {false, true, false};
        default:
            return {true, true, true};
    }
}

int32_t WithSlack(int32_t twips) { return twips + twips / kTextSlackDivisor; }

}  // namespace

RowSet::RowSet(std::span<const ShownRow> rows, int firstId)
    : RowSet(KindsOf(rows), CaptionsOf(rows), firstId) {}

RowSet::RowSet(std::vector<RowKind> kinds, std::vector<TextId> captions, int firstId)
    : kinds_(std::move(kinds)),
      captions_(std::move(captions)),
      firstId_(firstId),
      values_(kinds_.size()),
      states_(kinds_.size()) {
    int id = firstId_;
    for (size_t row = 0; row < kinds_.size(); ++row) {
        const std::array<bool, kRowParts> parts = PartsOf(kinds_[row]);
        for (size_t part = 0; part < kRowParts; ++part) {
            if (parts[part]) states_[row].ids[part] = id++;
        }
    }
}

int RowSet::PartId(size_t row, size_t part) const {
    return row < states_.size() && part < kRowParts ? states_[row].ids[part] : 0;
}

StackedLayout RowSet::Stack(int32_t dpi) const {
    const UniqueFont font = MakeDialogTextFont(dpi);
    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), font.Get());
    const auto lineSize = [&](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(screen.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
        return PartSize{WithSlack(PixelsToTwips(size.cx, dpi)), PixelsToTwips(size.cy, dpi)};
    };
    const auto textSize = [&](TextId id) { return lineSize(UiText(id)); };
    const auto buttonSize = [&](TextId id) {
        return PartSize{
            std::max(kButtonLeastWidthTwips, textSize(id).width + 2 * kButtonPaddingTwips),
            kButtonHeightTwips};
    };

    // Copy rows' fields are as wide as the widest of their texts, so that they line up.
    int32_t copyTextWidth = kCopyTextLeastWidthTwips;
    for (size_t row = 0; row < kinds_.size(); ++row) {
        const std::string* text = std::get_if<std::string>(&values_[row]);
        if (kinds_[row] != RowKind::CopyText || text == nullptr) continue;
        copyTextWidth =
            std::max(copyTextWidth, lineSize(Utf8ToWide(*text)).width + 2 * kEditPaddingTwips);
    }

    std::vector<StackedRow> rows;
    for (size_t row = 0; row < kinds_.size(); ++row) {
        const PartSize caption = textSize(captions_[row]);
        switch (kinds_[row]) {
            case RowKind::Check:
                rows.push_back({{PartSize{caption.width + PixelsToTwips(kCheckBoxPixels, dpi),
                                          kLineHeightTwips}},
                                true});
                break;
            case RowKind::Color:
                rows.push_back({.parts = {caption, PartSize{kSwatchWidthTwips, kLineHeightTwips},
                                          buttonSize(TextId::TalkPickColor)},
                                .actionFollowsField = true});
                break;
            case RowKind::Key:
                rows.push_back({{caption, PartSize{kKeyFieldWidthTwips, kLineHeightTwips},
                                 textSize(TextId::TalkKeyTaken)}});
                break;
            case RowKind::File:
                rows.push_back({{caption, kFileSizeTwips, buttonSize(TextId::Browse)}});
                break;
            case RowKind::Text:
                rows.push_back({{caption, PartSize{kShownWidthTwips, caption.height}}});
                break;
            case RowKind::Path:
                rows.push_back({{caption, PartSize{kShownWidthTwips, kFileSizeTwips.height}}});
                break;
            case RowKind::Button:
                rows.push_back({{PartSize{}, buttonSize(captions_[row])}});
                break;
            case RowKind::Number:
                rows.push_back({{caption, PartSize{kNumberFieldWidthTwips, kLineHeightTwips}}});
                break;
            case RowKind::CopyText:
                rows.push_back({{caption, PartSize{copyTextWidth, kLineHeightTwips},
                                 buttonSize(TextId::Copy)}});
                break;
            case RowKind::Note:  // measured below, once the rows' width is known
                rows.push_back({.spans = true});
                break;
        }
    }
    const StackedFrame frame = DialogRowsFrame();
    StackedLayout stacked = StackRows(rows, frame);
    // A note wraps at the width of the other rows. At other DPIs, where text comes out a
    // little wider, it may wrap once more: it gets a line more than it needs here.
    const int32_t width = stacked.clientWidth - 2 * frame.margin;
    bool notes = false;
    for (size_t row = 0; row < kinds_.size(); ++row) {
        if (kinds_[row] != RowKind::Note) continue;
        const std::wstring text = UiText(captions_[row]);
        RECT wrapped{0, 0, TwipsToPixels(width, dpi), 0};
        DrawTextW(screen.Dc(), text.c_str(), static_cast<int>(text.size()), &wrapped,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        rows[row].parts[kRowCaption] = {width,
                                        PixelsToTwips(wrapped.bottom, dpi) + lineSize(L"M").height};
        notes = true;
    }
    return notes ? StackRows(rows, frame) : stacked;
}

StackedFrame DialogRowsFrame() {
    StackedFrame frame;
    frame.top = kDialogTitleHeightTwips + kRowsTopGapTwips;
    frame.margin = kRowsMarginTwips;
    frame.rowGap = kRowGapTwips;
    frame.columnGap = kColumnGapTwips;
    frame.buttonsHeight = kButtonsGapTwips + kDialogButtonHeightTwips + kDialogButtonsEdgeTwips;
    frame.leastWidth = 3 * kDialogButtonsEdgeTwips + 2 * kDialogButtonWidthTwips;
    return frame;
}

void RowSet::Make(DialogLayout& layout, HWND dialog, const StackedLayout& stacked) {
    dialog_ = dialog;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    for (size_t row = 0; row < kinds_.size(); ++row) {
        const std::array<TwipRect, kRowParts>& place = stacked.places[row];
        const std::array<int, kRowParts>& id = states_[row].ids;
        const std::wstring caption = UiText(captions_[row]);
        if (kinds_[row] == RowKind::Check) {
            layout.AddCheckBox(id[kRowCaption], caption, place[kRowCaption]);
            continue;
        }
        if (kinds_[row] == RowKind::Button) {
            layout.AddButton(id[kRowField], caption, place[kRowField], kDefaultOverColor);
            continue;
        }
        if (kinds_[row] == RowKind::Note) {
            layout.AddLabel(id[kRowCaption], caption, place[kRowCaption]);
            continue;
        }
        layout.AddCaption(id[kRowCaption], caption, place[kRowCaption]);
        switch (kinds_[row]) {
            case RowKind::Text:
            case RowKind::Path:
                layout.AddLabel(id[kRowField], L"", place[kRowField],
                                kinds_[row] == RowKind::Path ? kPathLabelStyle : 0);
                break;
            case RowKind::Key:
                layout.AddControl(id[kRowField], HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER,
                                  place[kRowField]);
                layout.AddLabel(id[kRowAction], L"", place[kRowAction]);
                break;
            case RowKind::Color:
            case RowKind::File: {
                // A swatch or a file name, and the button that chooses it.
                const bool color = kinds_[row] == RowKind::Color;
                layout.AddLabel(id[kRowField], L"", place[kRowField],
                                color ? kSwatchStyle : kPathLabelStyle);
                layout.AddButton(id[kRowAction],
                                 UiText(color ? TextId::TalkPickColor : TextId::Browse),
                                 place[kRowAction], kDefaultOverColor);
                break;
            }
            case RowKind::Number: {
                const HWND field = layout.AddControl(
                    id[kRowField], L"EDIT", L"",
                    WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL, place[kRowField]);
                SendMessageW(field, EM_SETLIMITTEXT, kNumberDigits, 0);
                break;
            }
            case RowKind::CopyText: {
                const std::string* text = std::get_if<std::string>(&values_[row]);
                layout.AddControl(id[kRowField], L"EDIT", Utf8ToWide(text ? *text : ""),
                                  WS_TABSTOP | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL,
                                  place[kRowField]);
                layout.AddButton(id[kRowAction], UiText(TextId::Copy), place[kRowAction],
                                 kDefaultOverColor);
                break;
            }
            case RowKind::Check:
            case RowKind::Button:
            case RowKind::Note:
                break;
        }
    }
}

void RowSet::Show(size_t row, RowValue value) {
    values_[row] = std::move(value);
    const std::array<int, kRowParts>& id = states_[row].ids;
    switch (kinds_[row]) {
        case RowKind::Check:
            CheckDlgButton(dialog_, id[kRowCaption],
                           std::get<bool>(values_[row]) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case RowKind::Color:
            states_[row].swatch = UniqueBrush(
                CreateSolidBrush(static_cast<COLORREF>(std::get<int32_t>(values_[row]))));
            InvalidateRect(GetDlgItem(dialog_, id[kRowField]), nullptr, TRUE);
            break;
        case RowKind::Key:
            SendDlgItemMessageW(dialog_, id[kRowField], HKM_SETHOTKEY,
                                GlobalKeyToHotKeyControl(std::get<int32_t>(values_[row])), 0);
            ShowTakenKeys();
            break;
        case RowKind::File: {
            const std::string& setting = std::get<std::string>(values_[row]);
            SetDlgItemTextW(dialog_, id[kRowField],
                            fileChoice_.show ? fileChoice_.show(setting).c_str() : L"");
            break;
        }
        case RowKind::Number:
            SetDlgItemInt(dialog_, id[kRowField],
                          static_cast<UINT>(std::get<int32_t>(values_[row])), TRUE);
            break;
        case RowKind::CopyText:
            SetDlgItemTextW(dialog_, id[kRowField],
                            Utf8ToWide(std::get<std::string>(values_[row])).c_str());
            break;
        case RowKind::Text:  // shown by the dialog
        case RowKind::Path:
        case RowKind::Button:
        case RowKind::Note:
            break;
    }
}

RowValue RowSet::ValueOf(const bool& field) { return field; }
RowValue RowSet::ValueOf(const int32_t& field) { return field; }
RowValue RowSet::ValueOf(const std::string& field) { return field; }
// A row of a kind that does not hold the field's type is a fault of the dialog's table.
void RowSet::Put(const RowValue& value, bool& field) { field = std::get<bool>(value); }
void RowSet::Put(const RowValue& value, int32_t& field) { field = std::get<int32_t>(value); }
void RowSet::Put(const RowValue& value, std::string& field) {
    field = std::get<std::string>(value);
}

RowValue RowSet::Take(size_t row) {
    const int field = states_[row].ids[kRowField];
    switch (kinds_[row]) {
        case RowKind::Check:
            // A grey (indeterminate) box counts as ticked.
            values_[row] = IsDlgButtonChecked(dialog_, states_[row].ids[kRowCaption]) != 0;
            break;
        case RowKind::Key: {
            const auto hotKey = SendDlgItemMessageW(dialog_, field, HKM_GETHOTKEY, 0, 0);
            values_[row] = GlobalKeyFromHotKeyControl(static_cast<WORD>(hotKey));
            break;
        }
        case RowKind::File:
            if (fileChoice_.setting) {
                wchar_t shown[kMaxShownPath] = {};
                GetDlgItemTextW(dialog_, field, shown, kMaxShownPath);
                values_[row] = fileChoice_.setting(shown);
            }
            break;
        case RowKind::Number: {
            BOOL read = FALSE;
            const UINT number = GetDlgItemInt(dialog_, field, &read, FALSE);
            values_[row] = read != FALSE && number <= static_cast<UINT>(INT32_MAX)
                               ? static_cast<int32_t>(number)
                               : int32_t{0};
            break;
        }
        case RowKind::Color:  // kept as chosen
        case RowKind::Text:   // bound to nothing
        case RowKind::Path:
        case RowKind::Button:
        case RowKind::CopyText:
        case RowKind::Note:
            break;
    }
    return values_[row];
}

void RowSet::ShowTakenKeys() {
    for (size_t row = 0; row < kinds_.size(); ++row) {
        if (kinds_[row] != RowKind::Key) continue;
        const int32_t key = std::get<int32_t>(Take(row));
        const bool taken = !GlobalKeyFree(key) && !(keyHeld_ && keyHeld_(key));
        SetDlgItemTextW(dialog_, states_[row].ids[kRowAction],
                        taken ? UiText(TextId::TalkKeyTaken).c_str() : L"");
    }
}

bool RowSet::OnCommand(int id, int code, const std::function<bool()>& stillOpen) {
    for (size_t row = 0; row < kinds_.size(); ++row) {
        const std::array<int, kRowParts>& ids = states_[row].ids;
        if (id != ids[kRowField] && id != ids[kRowAction] && id != ids[kRowCaption]) continue;
        // What a number or a button means is the dialog's to say.
        if (kinds_[row] == RowKind::Button || kinds_[row] == RowKind::Number) return false;
        if (kinds_[row] == RowKind::CopyText && id == ids[kRowAction] && code == BN_CLICKED) {
            if (const std::string* text = std::get_if<std::string>(&values_[row])) {
                PutTextOnClipboard(dialog_, Utf8ToWide(*text));
            }
            return false;  // the dialog may have to keep what was handed out
        } else if (kinds_[row] == RowKind::Key && id == ids[kRowField] && code == EN_CHANGE) {
            ShowTakenKeys();
        } else if (id == ids[kRowAction] && code == BN_CLICKED) {
            // The pickers run their own message loop, during which the dialog may go.
            if (kinds_[row] == RowKind::Color) {
                const int32_t picked = PickColor(dialog_);
                if (stillOpen() && picked != kNoColor) Show(row, picked);
            } else if (kinds_[row] == RowKind::File && fileChoice_.choose) {
                std::optional<std::string> chosen = fileChoice_.choose(dialog_);
                if (stillOpen() && chosen) Show(row, std::move(*chosen));
            }
        }
        return true;
    }
    return false;
}

HBRUSH RowSet::SwatchBrush(HWND control) const {
    const int id = GetDlgCtrlID(control);
    for (size_t row = 0; row < kinds_.size(); ++row) {
        if (kinds_[row] == RowKind::Color && states_[row].ids[kRowField] == id) {
            return states_[row].swatch.Get();
        }
    }
    return nullptr;
}

}  // namespace quorrin
