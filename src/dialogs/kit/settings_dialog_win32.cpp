#include "dialogs/kit/settings_dialog_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/frame_guard_win32.h"
#include "win32/message_box_win32.h"
#include "win32/ui_text_win32.h"

#include <algorithm>
#include <vector>

namespace quorrin {

namespace {

// Marks the top-level window of an open settings dialog, for RouteDialogMessage.
constexpr const wchar_t* kSettingsDialogProperty = L"Quorrin.SettingsDialog";

// The open dialogs the property could not be set on (SetPropW failed): their keys still go
// through the dialog's keyboard handling. One thread runs all windows of the program.
thread_local std::vector<HWND> unmarkedDialogs;

bool IsSettingsDialog(HWND window) {
    return GetPropW(window, kSettingsDialogProperty) != nullptr ||
           std::find(unmarkedDialogs.begin(), unmarkedDialogs.end(), window) !=
               unmarkedDialogs.end();
}

void AddStyle(HWND window, LONG_PTR style) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | style);
}

}  // namespace

bool RouteDialogMessage(MSG& message) {
    // Called from the message loops, outside any window procedure. When the routing itself
    // fails, the message counts as handled: dispatching it again could repeat what it did.
    constexpr bool kDropMessage = true;
    return GuardFrame(
        L"RouteDialogMessage",
        [&] {
            if (message.hwnd == nullptr) return false;
            const HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
            if (dialog == nullptr || !IsSettingsDialog(dialog)) return false;
            return IsDialogMessageW(dialog, &message) != FALSE;
        },
        kDropMessage);
}

SettingsDialog::SettingsDialog(DialogHost* host, const CountdownState* hideClockDuringShow)
    : host_(host), hideClockDuringShow_(hideClockDuringShow) {}

// Deleting an open dialog (the program ending) destroys its window without the closing
// steps: the host is going away and must not be called back.
SettingsDialog::~SettingsDialog() = default;

bool SettingsDialog::Open(HINSTANCE instance) {
    if (!IsOpen()) {
        PrepareRows();
        DialogFrameSpec frame = Frame();
        StackedLayout stacked;
        if (rows_ != nullptr) {
            stacked = rows_->Stack(OpeningDpi());
            frame.clientWidthTwips = stacked.clientWidth;
            frame.clientHeightTwips = stacked.clientHeight;
        }
        if (!CreateFrame(instance, frame)) return false;
        if (SetPropW(Handle(), kSettingsDialogProperty, Handle()) == FALSE) {
            LogLastError(L"SetPropW for the dialog's keyboard");
            unmarkedDialogs.push_back(Handle());
        }
        closingAfterFault_ = false;
        lastFocus_ = nullptr;
        if (rows_ != nullptr) rows_->Make(*this, Handle(), stacked);
        MakeControls();
        MakeButtons(frame);
        MarkGroups();
        // The clock would cover the dialog during a show; it comes back when the dialog
        // closes.
        if (ClockHidden() && host_ != nullptr) host_->HideMainClock();
        LoadValues();
    }
    // The activation gives the focus to the first control, or back to the last one used.
    ShowFrame();
    return true;
}

void SettingsDialog::MakeButtons(const DialogFrameSpec& frame) {
    closeOnly_ = frame.closeOnly;
    if (closeOnly_) {
        AddButton(kDialogCancelId, UiText(TextId::DialogClose), DialogCancelPlace(frame),
                  kAccentOverColor);
        return;
    }
    AddButton(kDialogSaveId, UiText(TextId::DialogSave), DialogSavePlace(frame), kAccentOverColor);
    AddButton(kDialogCancelId, UiText(TextId::DialogCancel), DialogCancelPlace(frame),
              kDefaultOverColor);
}

// The arrow keys move within a group of option buttons, which ends where the option buttons
// do: every other control starts a group of its own.
void SettingsDialog::MarkGroups() {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0) {
            AddStyle(child, WS_GROUP);
        }
    }
}

bool SettingsDialog::ClockHidden() const {
    return hideClockDuringShow_ != nullptr && hideClockDuringShow_->ShowActive;
}

void SettingsDialog::Close() {
    if (!IsOpen()) return;
    OnClosing();
    DestroyWindow(Handle());
}

std::function<bool()> SettingsDialog::OpenCheck() const {
    return [alive = std::weak_ptr<int>(alive_), this] { return !alive.expired() && IsOpen(); };
}

bool SettingsDialog::Saved(const ConfigFile& config, const FileStatus& status) {
    if (status) return true;
    ShowSaveFailed(Handle(), config.Path(), config.DescribeFailure(status));
    return false;
}

void SettingsDialog::SaveAndClose() {
    const std::function<bool()> stillOpen = OpenCheck();
    if (Save() && stillOpen()) Close();
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case DM_GETDEFID:
            // Enter presses 保存, or 关闭 where there is nothing to save (IsDialogMessageW asks
            // which button is the default).
            return MAKELRESULT(closeOnly_ ? kDialogCancelId : kDialogSaveId, DC_HASDEFID);
        case WM_ACTIVATE:
            return OnActivate(wParam);
        case WM_CTLCOLORSTATIC:
            return OnStaticColor(wParam, lParam);
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            return OnDestroy();
        case WM_NCDESTROY:
            return OnNcDestroy(wParam, lParam);
        default:
            return DialogFrame::HandleMessage(message, wParam, lParam);
    }
}

LRESULT SettingsDialog::OnUnhandledException(UINT message, WPARAM wParam, LPARAM lParam) {
    // The window is going anyway.
    if (message == WM_DESTROY || message == WM_NCDESTROY) {
        return DialogFrame::OnUnhandledException(message, wParam, lParam);
    }
    if (!closingAfterFault_) {
        closingAfterFault_ = true;
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
    } else if (message == WM_CLOSE) {
        DestroyWindow(Handle());
    }
    return 0;
}

LRESULT SettingsDialog::OnCommand(int id, int code) {
    // 保存 and 取消 are IDOK and IDCANCEL, which IsDialogMessageW also sends for Enter and Esc.
    const bool clicked = code == BN_CLICKED;
    if (id == kDialogSaveId && !closeOnly_) {
        if (clicked) SaveAndClose();
    } else if (id == kDialogSaveId || id == kDialogCancelId || id == kDialogCloseId) {
        if (clicked) Close();
    } else if (rows_ == nullptr || !rows_->OnCommand(id, code, OpenCheck())) {
        OnControl(id, code);
    }
    return 0;
}

// A colour row's swatch is painted in its colour; every other label in the dialog's look.
LRESULT SettingsDialog::OnStaticColor(WPARAM wParam, LPARAM lParam) {
    const HBRUSH swatch =
        rows_ != nullptr ? rows_->SwatchBrush(reinterpret_cast<HWND>(lParam)) : nullptr;
    if (swatch == nullptr) return DialogFrame::HandleMessage(WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(swatch);
}

LRESULT SettingsDialog::OnActivate(WPARAM state) {
    // As the system's dialogs do: the focus is kept over a deactivation (a picker, another
    // program) and given back on activation, where the default would put it on the dialog.
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus) != FALSE) lastFocus_ = focus;
        return 0;
    }
    HWND focus = lastFocus_;
    if (focus == nullptr || IsWindow(focus) == FALSE || IsWindowEnabled(focus) == FALSE) {
        // Without 保存 the 关闭 button comes first, as in a message box: Enter closes at once.
        focus = closeOnly_ ? GetDlgItem(Handle(), kDialogCancelId)
                           : GetNextDlgTabItem(Handle(), nullptr, FALSE);
    }
    SetFocus(focus != nullptr ? focus : Handle());
    return 0;
}

LRESULT SettingsDialog::OnDestroy() {
    if (ClockHidden() && host_ != nullptr) host_->ShowMainClock();
    RemovePropW(Handle(), kSettingsDialogProperty);
    std::erase(unmarkedDialogs, Handle());
    return 0;
}

LRESULT SettingsDialog::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DialogFrame::HandleMessage(WM_NCDESTROY, wParam, lParam);
    if (host_ != nullptr) host_->DialogClosed();
    return result;
}

}  // namespace quorrin
