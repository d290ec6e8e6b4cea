#include "controls/time_field/time_box_win32.h"

#include "controls/time_field/time_field_rules.h"
#include "settings/time_text.h"
#include "win32/debug_log_win32.h"
#include "win32/frame_guard_win32.h"

#include <commctrl.h>

#include <iterator>
#include <optional>
#include <string>

namespace quorrin {

namespace {

constexpr UINT_PTR kSubclassId = 1;

std::string AsciiText(HWND box) {
    wchar_t text[kFieldTextLength + 2] = {};
    const int length = GetWindowTextW(box, text, static_cast<int>(std::size(text)));
    std::string ascii;
    for (int i = 0; i < length; ++i) ascii += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return ascii;
}

void SetAsciiText(HWND box, const std::string& text) {
    const std::wstring wide(text.begin(), text.end());
    SetWindowTextW(box, wide.c_str());
}

}  // namespace

TimeBox::~TimeBox() { Detach(); }

bool TimeBox::Attach(HWND box, HFONT boldFont) {
    Detach();
    tBox_ = box;
    if (box == nullptr) return false;
    SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | WS_BORDER);
    SetWindowLongPtrW(box, GWL_EXSTYLE, GetWindowLongPtrW(box, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (boldFont != nullptr)
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont), TRUE);
    SendMessageW(box, EM_SETLIMITTEXT, kFieldTextLength, 0);
    SetAsciiText(box, std::string(kEmptyFieldTime));
    background_.Reset(CreateSolidBrush(kTimeBoxBackColor));
    if (SetWindowSubclass(box, &TimeBox::BoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) ==
        FALSE) {
        LogLastError(L"SetWindowSubclass for a time box");
        tBox_ = nullptr;
        return false;
    }
    return true;
}

void TimeBox::Detach() {
    if (tBox_ != nullptr) RemoveWindowSubclass(tBox_, &TimeBox::BoxProc, kSubclassId);
    tBox_ = nullptr;
}

void TimeBox::ShowSeconds(int32_t seconds) {
    SetAsciiText(tBox_, TimeFieldRules::FieldTextFor(SecondsToTimeText(seconds)));
}

std::optional<int32_t> TimeBox::Seconds() const {
    return TimeFieldRules::FieldSeconds(AsciiText(tBox_));
}

LRESULT TimeBox::ControlColor(HDC dc) const {
    SetBkColor(dc, kTimeBoxBackColor);
    return reinterpret_cast<LRESULT>(background_.Get());
}

LRESULT CALLBACK TimeBox::BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR self) {
    auto* timeBox = reinterpret_cast<TimeBox*>(self);
    if (message == WM_NCDESTROY) {
        timeBox->Detach();
        return DefSubclassProc(box, message, wParam, lParam);
    }
    // The edit control's own handling is the known state for a message whose handling threw.
    constexpr LRESULT kNothingDone = 0;
    return GuardFrameOr(
        L"TimeBox", [&] { return timeBox->OnMessage(message, wParam, lParam); },
        [&] { return DefSubclassProc(box, message, wParam, lParam); }, kNothingDone);
}

LRESULT TimeBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND box = tBox_;
    switch (message) {
        case WM_CHAR:
            return OnChar(static_cast<wchar_t>(wParam));
        case WM_KEYDOWN:
            selectedBeforeKey_ = TimeFieldRules::DigitAt(SelectionStart());
            // Delete (and Shift+Delete, cut) would shorten the text; Shift+Insert pastes
            // without a WM_PASTE on some systems.
            if (wParam == VK_DELETE || wParam == VK_INSERT) return 0;
            return DefSubclassProc(box, message, wParam, lParam);
        case WM_KEYUP: {
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            OnKeyUp(static_cast<UINT>(wParam));
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            SelectDigitAtCaret();
            return result;
        }
        case WM_SETFOCUS: {
            // From the keyboard or a click: a digit is selected before anything is typed
            // (a click then selects its own digit).
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            Select(0);
            return result;
        }
        case WM_GETDLGCODE:
            // No "select all" when the dialog manager tabs into the box.
            return DefSubclassProc(box, message, wParam, lParam) & ~DLGC_HASSETSEL;
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case WM_CONTEXTMENU:
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
            return 0;
        default:
            return DefSubclassProc(box, message, wParam, lParam);
    }
}

LRESULT TimeBox::OnChar(wchar_t typed) {
    // A typed character never reaches the edit itself: an accepted digit replaces the
    // selected one here and the next digit is selected at once, everything else (Backspace,
    // Ctrl+V, letters) is dropped.
    std::string text = AsciiText(tBox_);
    if (!TimeFieldRules::IsFieldText(text)) return 0;
    const std::optional<int> next =
        TimeFieldRules::Type(text, TimeFieldRules::DigitAt(SelectionStart()), typed);
    if (!next) return 0;
    SetAsciiText(tBox_, text);
    Select(*next);
    return 0;
}

void TimeBox::OnKeyUp(UINT keyCode) {
    Select(TimeFieldRules::AfterKeyRelease(selectedBeforeKey_, SelectionStart(), keyCode));
}

void TimeBox::SelectDigitAtCaret() { Select(TimeFieldRules::DigitAt(SelectionStart())); }

void TimeBox::Select(int position) { SendMessageW(tBox_, EM_SETSEL, position, position + 1); }

int TimeBox::SelectionStart() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(tBox_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

}  // namespace quorrin
