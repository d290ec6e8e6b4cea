// Layout faults a dialog's design hides until it is drawn, looked for on the real windows
// at each display scale: two visible controls of the dialog covering each other, and a
// drop-down list too narrow for its longest item in the font it shows it in.
#pragma once

#include "win32/gdi_scope_win32.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quorrin::testing {

// The scales a dialog is laid out at: 100, 125, 150 and 200 %.
inline constexpr int kDialogTestDpis[] = {96, 120, 144, 192};

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
