// The clock's digits: a child window whose window text is the shown time, so screen readers
// can read it, drawn double-buffered over the clock's background colour. It lets the mouse
// through to the clock window, so a press on the digits starts a drag as well.
#pragma once

#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"

#include <string>

namespace quorrin {

inline constexpr const wchar_t* kTimeLabelClassName = L"Quorrin.TimeLabel";

struct TimeLabelLook {
    std::wstring fontName;
    int fontPoints = 36;
    COLORREF textColor = RGB(255, 255, 255);
    COLORREF backColor = RGB(0, 0, 0);
};

class TimeLabel final : public WindowBase {
  public:
    bool Create(HINSTANCE instance, HWND parent);
    void SetLook(const TimeLabelLook& look);
    void SetTime(const std::wstring& text);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();

    TimeLabelLook look_;
    UniqueFont font_;
};

}  // namespace quorrin
