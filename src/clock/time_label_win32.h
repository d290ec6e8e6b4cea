// The clock's digits: a child window whose window text is the shown time, so screen readers
// can read it, drawn double-buffered over the clock's background colour. It lets the mouse
// through to the clock window, so a press on the digits starts a drag as well.
//
// The text never clips: a time too wide or too high for the label in the style's font (six
// characters from 100 minutes on, or a large font) is drawn in the same face and weight,
// made just small enough to fit.
#pragma once

#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"

#include <cstdint>
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
    // The look, with the font sized for `dpi`.
    void SetLook(const TimeLabelLook& look, int32_t dpi);
    void SetTime(const std::wstring& text);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();

    // Chooses the font the current text is drawn in: the style's, or a smaller one of the
    // same face that fits the label.
    void FitText();
    UniqueFont MakeFont(int32_t heightPixels) const;
    HFONT DrawingFont() const;

    TimeLabelLook look_;
    int32_t fontHeightPixels_ = 0;
    UniqueFont font_;        // the style's font at the label's DPI
    UniqueFont fittedFont_;  // the smaller one, while the text needs it
};

}  // namespace quorrin
