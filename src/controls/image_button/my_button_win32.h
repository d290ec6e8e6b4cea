// The program's own push button, drawn from stored pictures: a stretched gradient
// background, an optional icon above the caption, a rounded coloured border, and a coloured
// hover picture while the mouse moves over it. A child control with a window class of its
// own; the host places it, sets caption and look, and handles its click.
//
// Notifications to the parent window:
//   WM_COMMAND, wParam = MAKEWPARAM(control id, BN_CLICKED), lParam = the button's HWND,
//       on a completed click with any mouse button (press and release over the button);
//   kMyButtonKeyPress (WM_APP based), wParam = the character, lParam = the button's HWND,
//       for every character key that reaches the button. The keyboard never clicks.
#pragma once

#include "win32/window_base_win32.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kMyButtonClassName = L"Quorrin.MyButton";
inline constexpr UINT kMyButtonKeyPress = WM_APP + 0x40;

// The icon shown above the caption: Style 0 shows none, 1..6 show icon Style - 1.
enum class ButtonIcon : int32_t {
    None = 0,
    Wastebasket = 1,
    Plus = 2,
    Floppy = 3,
    Cross = 4,
    CircleCross = 5,
    Gear = 6,
};

class MyButton final : public WindowBase {
  public:
    MyButton();
    ~MyButton() override;

    // Creates the button as a child of `parent` at the given place (pixels, client
    // coordinates of the parent), with the control id used in its notifications.
    bool Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels);

    // The four properties of the button. Each write lays the button out again.
    void SetCaption(const std::wstring& caption);  // BtCaption
    void SetEnabled(bool enabled);                 // Enabled (also the caption colour)
    void SetStyle(int32_t style);                  // Style, 0..6 (see ButtonIcon)
    void SetOverColor(int32_t overColor);          // OverColor, 0..4: the hover picture
    void SetToolTip(const std::wstring& text);     // optional tooltip
    // The DPI the button's twips are drawn at; at creation the DPI of its window.
    void SetDpi(int32_t dpi);

    const std::wstring& Caption() const;
    bool Enabled() const;
    int32_t Style() const;
    int32_t OverColor() const;

  private:
    struct State;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnMouseMove();
    LRESULT OnButtonDown(UINT upMessage);
    LRESULT OnButtonUp(UINT message, LPARAM lParam);
    LRESULT OnCaptureChanged();
    LRESULT OnHoverTimer();
    LRESULT OnChar(WPARAM character);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(HFONT font, bool redraw);
    LRESULT OnEnable(bool enabled);
    LRESULT OnDestroy();

    // Lays the parts out for the current size, caption, font and style; Relayout also
    // repaints.
    void UpdateLayout();
    void Relayout();
    void ChangeEnabledColor();
    void EndHover();
    HFONT CaptionFont();
    void PaintTo(HDC dc);

    std::unique_ptr<State> state_;
};

}  // namespace quorrin
