// A clock window over the slide show: borderless, without a task-bar button, layered (the
// key colour transparent, the rest at the style's opacity), topmost, rounded, with the time
// label on a coloured background. The main clock and its copies on the other monitors are
// all of this kind.
#pragma once

#include "clock/clock_layout.h"
#include "clock/overlay_window_win32.h"
#include "clock/time_label_win32.h"
#include "settings/app_state.h"

#include <functional>
#include <optional>
#include <string>

namespace quorrin {

class CountdownWindow : public OverlayWindow {
  public:
    // Creates the window hidden and prepares it: no caption, layered, topmost, at the
    // style's Left/Top converted at `dpi`. `icon` may be null.
    bool Create(HINSTANCE instance, const wchar_t* className, HICON icon, const DisplayStyle& style,
                int32_t dpi);
    // Size, place, shape, opacity and the label's look from the display style, in pixels at
    // the DPI of the monitor the window is laid out on.
    void Layout(const DisplayStyle& style, const ClockPlacement& placement);
    // Called when the window's DPI or the display configuration changes: the owner lays the
    // windows out again. Without it the window only takes the size the system suggests.
    void OnDisplayChange(std::function<void()> relayout) { relayout_ = std::move(relayout); }
    void SetTime(const std::wstring& text);
    // The background in place of the style's during a show (the warning or overtime
    // colour, 0x00BBGGRR), with digits kept readable on it; nothing for the style's own.
    void SetToneColor(std::optional<int32_t> color);
    // Shows the window without taking the focus from the show, and puts it on top.
    void ShowOnTop();
    void Hide();
    // Topmost again without activating: a full-screen show may have pushed itself above.
    void KeepOnTop();

    // Window rectangle in screen pixels, and a move keeping the size.
    PixelRect RectPixels() const;
    void MoveTo(int32_t leftPixels, int32_t topPixels);
    // The DPI the window's twips are converted at (that of its last layout).
    int32_t Dpi() const { return dpi_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnPaint() override;
    LRESULT OnDpiChanged(const RECT& suggested);
    // Gives the label the style's look on the background now in force.
    void ApplyLook();

    TimeLabel label_;
    COLORREF background_ = RGB(0, 0, 0);
    std::optional<int32_t> toneColor_;
    DisplayStyle style_;
    int32_t dpi_ = kDefaultDpi;
    std::function<void()> relayout_;
};

}  // namespace quorrin
