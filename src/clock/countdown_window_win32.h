// A clock window over the slide show: borderless, without a task-bar button, layered (the
// key colour transparent, the rest at the style's opacity), topmost, rounded, with the time
// label on a coloured background. The main clock and its copy on the second monitor are
// both of this kind.
#pragma once

#include "clock/clock_layout.h"
#include "clock/time_label_win32.h"
#include "win32/window_base_win32.h"
#include "settings/app_state.h"

#include <string>

namespace quorrin {

class CountdownWindow : public WindowBase {
  public:
    explicit CountdownWindow(ClockWindow kind) : kind_(kind) {}

    // Creates the window hidden and prepares it: no caption, layered, topmost, at the
    // style's Left/Top. `icon` may be null.
    bool Create(HINSTANCE instance, const wchar_t* className, HICON icon,
                const DisplayStyle& style);
    // Size, place, shape, opacity and the label's look from the display style.
    void Layout(const AppState& state);
    void SetTime(const std::wstring& text);
    // Shows the window without taking the focus from the show, and puts it on top.
    void ShowOnTop();
    void Hide();
    bool Visible() const;
    // Topmost again without activating: a full-screen show may have pushed itself above.
    void KeepOnTop();

    // Window rectangle in twips.
    TwipRect RectTwips() const;
    void MoveTo(int32_t leftTwips, int32_t topTwips);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnPaint();

    ClockWindow kind_;
    TimeLabel label_;
    COLORREF background_ = RGB(0, 0, 0);
};

}  // namespace quorrin
