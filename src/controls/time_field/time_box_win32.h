// TimeBox: an ordinary single-line edit control turned into the HH:MM:SS time entry field.
// The rules live in TimeFieldRules; this part only feeds them the edit's key and mouse
// events and refuses every edit they do not cover (Delete, cut, paste, undo, the context
// menu), so the text always keeps its eight-character form.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace quorrin {

// The field's background: red 200, green 230, blue 255.
inline constexpr COLORREF kTimeBoxBackColor = RGB(200, 230, 255);

class TimeBox {
  public:
    TimeBox() = default;
    ~TimeBox();
    TimeBox(const TimeBox&) = delete;
    TimeBox& operator=(const TimeBox&) = delete;

    // Takes over the edit: a single border, `boldFont`, the text "00:00:00" and the light
    // blue background. It neither moves the box nor selects anything. False when the edit's
    // events cannot be taken over.
    bool Attach(HWND box, HFONT boldFont);
    HWND Box() const { return tBox_; }

    // A stored time in seconds, as the field can show it (see TimeFieldRules::FieldTextFor).
    void ShowSeconds(int32_t seconds);
    // The time entered, or nothing when the text is not a valid time of the field.
    std::optional<int32_t> Seconds() const;

    // The parent's answer to WM_CTLCOLOREDIT for this box.
    LRESULT ControlColor(HDC dc) const;

  private:
    static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(wchar_t typed);
    void OnKeyUp(UINT keyCode);
    void SelectDigitAtCaret();
    void Select(int position);
    int SelectionStart() const;
    void Detach();

    HWND tBox_ = nullptr;
    UniqueBrush background_;
    int selectedBeforeKey_ = 0;
};

}  // namespace quorrin
