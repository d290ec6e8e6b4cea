// Layout faults a dialog's design hides until it is drawn, looked for on the real windows
// at each display scale and in each language: two visible controls of the dialog covering
// each other, a control reaching out of the dialog, a caption wider than its control in the
// control's own font, and a drop-down list too narrow for its longest item.
#pragma once

#include "texts/texts.h"
#include "win32/gdi_scope_win32.h"

#include "../unit/language_scope.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quorrin::testing {

// The scales a dialog is laid out at: 100, 125, 150 and 200 %.
inline constexpr int kDialogTestDpis[] = {96, 120, 144, 192};

// The languages a dialog is laid out in.
inline constexpr Language kDialogTestLanguages[] = {Language::Chinese, Language::English};

inline const char* LanguageName(Language language) {
    return language == Language::Chinese ? "zh-CN" : "en-US";
}

// Lays `dialog` out at `dpi` as a move to a monitor of that scale does (Wine never sends
// WM_DPICHANGED itself), at the size the dialog asks for.
inline void LayOutAtDpi(HWND dialog, int dpi) {
    SIZE size{};
    SendMessageW(dialog, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
    RECT suggested{0, 0, size.cx, size.cy};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// "id1/id2" for every two visible children of `dialog` whose rectangles share a pixel.
inline std::vector<std::wstring> OverlappingControls(HWND dialog) {
    std::vector<std::pair<int, RECT>> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(child) == FALSE || GetWindowRect(child, &r) == FALSE) continue;
        if (IsRectEmpty(&r) == FALSE) shown.emplace_back(GetDlgCtrlID(child), r);
    }
    std::vector<std::wstring> overlaps;
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT both{};
            if (IntersectRect(&both, &shown[i].second, &shown[j].second) != FALSE) {
                overlaps.push_back(std::to_wstring(shown[i].first) + L"/" +
                                   std::to_wstring(shown[j].first));
            }
        }
    }
    return overlaps;
}

inline std::wstring ControlText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// "id: text" for every visible child whose text, measured in the child's own font, needs more
// room than the child has: its width for a one-line text (less the box of a check box or
// option button), its height for a label of several lines, wrapped at its width. Drop-down
// lists and edit fields are left out (their text is the user's), and so are labels that end
// a long text with an ellipsis.
inline std::vector<std::wstring> ClippedCaptions(HWND dialog, int dpi) {
    std::vector<std::wstring> clipped;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = ControlText(child);
        if (IsWindowVisible(child) == FALSE || text.empty()) continue;
        const std::wstring kind = ClassOf(child);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        const bool label = _wcsicmp(kind.c_str(), L"Static") == 0;
        const bool button = _wcsicmp(kind.c_str(), L"Button") == 0;
        if (_wcsicmp(kind.c_str(), L"ComboBox") == 0 || _wcsicmp(kind.c_str(), L"Edit") == 0 ||
            _wcsicmp(kind.c_str(), L"ListBox") == 0 ||
            _wcsicmp(kind.c_str(), L"msctls_hotkey32") == 0) {
            continue;
        }
        if (label && (style & SS_ELLIPSISMASK) != 0) continue;
        RECT room{};
        GetClientRect(child, &room);
        if (button &&
            ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
             (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON || (style & BS_TYPEMASK) == BS_CHECKBOX ||
             (style & BS_TYPEMASK) == BS_RADIOBUTTON)) {
            // The box and the gap after it: 13 + 4 pixels at 96 dpi.
            room.right -= MulDiv(17, dpi, 96);
        }
        WindowDcScope dc(child);
        ScopedSelectObject select(dc.Dc(),
                                  reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
        const bool severalLines =
            label && (style & (SS_LEFTNOWORDWRAP | SS_SIMPLE)) == 0 && room.bottom >= 2 * size.cy;
        bool fits = size.cx <= room.right;
        if (severalLines) {
            RECT wrapped{0, 0, room.right, 0};
            DrawTextW(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &wrapped,
                      DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
            fits = wrapped.bottom <= room.bottom;
        }
        if (!fits) {
            clipped.push_back(std::to_wstring(GetDlgCtrlID(child)) + L": " + text + L" " +
                              std::to_wstring(size.cx) + L" px in " + std::to_wstring(room.right));
        }
    }
    return clipped;
}

// The ids of visible children not wholly inside the dialog's client area.
inline std::vector<int> ChildrenOutside(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    std::vector<int> outside;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(child) == FALSE || GetWindowRect(child, &r) == FALSE) continue;
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
            outside.push_back(GetDlgCtrlID(child));
        }
    }
    return outside;
}

// Every fault of the dialog's layout, laid out at `dpi`: overlaps, children outside and clipped
// captions, one line each.
inline std::vector<std::wstring> LayoutFaults(HWND dialog, int dpi) {
    std::vector<std::wstring> faults;
    for (const std::wstring& pair : OverlappingControls(dialog))
        faults.push_back(L"overlap " + pair);
    for (const int id : ChildrenOutside(dialog))
        faults.push_back(L"outside " + std::to_wstring(id));
    for (const std::wstring& caption : ClippedCaptions(dialog, dpi))
        faults.push_back(L"clipped " + caption);
    return faults;
}

// The items of the drop-down list `combo` wider, in the list's font, than the box that shows
// the chosen one.
inline std::vector<std::wstring> ClippedItems(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(combo, &info) == FALSE) return {L"(not a drop-down list)"};
    const LONG room = info.rcItem.right - info.rcItem.left;
    std::vector<std::wstring> clipped;
    WindowDcScope dc(combo);
    ScopedSelectObject select(dc.Dc(),
                              reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        SIZE text{};
        GetTextExtentPoint32W(dc.Dc(), item.c_str(), static_cast<int>(item.size()), &text);
        if (text.cx > room) clipped.push_back(item + L" " + std::to_wstring(text.cx) + L" px");
    }
    return clipped;
}

}  // namespace quorrin::testing
