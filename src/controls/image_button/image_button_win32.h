// The program's own push button, drawn from stored pictures: a stretched gradient
// background, an optional icon above the caption, a rounded coloured border, and a coloured
// hover picture while the mouse moves over it. A press with any mouse button, released over
// the button, clicks; the keyboard, caption, font and notification are the shared push
// button's (button_base/owner_drawn_button_win32.h). The host places it, sets caption and
// look, and handles its click.
#pragma once

#include "controls/button_base/owner_drawn_button_win32.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kImageButtonClassName = L"Quorrin.ImageButton";

class ImageButton final : public OwnerDrawnButton {
  public:
    ImageButton();
    ~ImageButton() override;

    // Creates the button as a child of `parent` at the given place (pixels, client
    // coordinates of the parent), with the control id used in its notifications.
    bool Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels);

    // The look; each write lays the button out again.
    // Style 0 shows no icon above the caption, 1..6 show stored icon Style - 1.
    void SetStyle(int32_t style);
    void SetOverColor(int32_t overColor);  // OverColor, 0..4: the hover picture
    int32_t Style() const;
    int32_t OverColor() const;

  private:
    struct State;

    void PaintFace(HDC dc) override;
    void Restyle() override;
    void PressChanged() override;
    void MouseMoved(LPARAM point) override;
    HFONT FallbackFont() override;
    LRESULT OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnHoverTimer();

    // Lays the parts out for the current size, caption, font and style.
    void UpdateLayout();
    void EndHover();

    std::unique_ptr<State> state_;
};

}  // namespace quorrin
