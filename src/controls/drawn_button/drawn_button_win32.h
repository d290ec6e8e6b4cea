// The drawn push button: a child control with a window class of its own that paints itself
// from four stored faces (disabled, normal, hover, pressed) stretched with fixed corners,
// then the caption centred, all into a back buffer that the window only copies to the
// screen. It shows the hover face while the pointer is over it (holding the mouse capture,
// so that the move which leaves it is seen) and the pressed face during a press; of the
// mouse buttons only the left one presses and clicks. The keyboard, caption, font and
// notification are the shared push button's (button_base/owner_drawn_button_win32.h); until
// a font is set the caption uses the parent's. An optional balloon tooltip stands under it.
#pragma once

#include "geometry/units.h"
#include "win32/unique_handle_win32.h"
#include "controls/button_base/owner_drawn_button_win32.h"
#include "controls/drawn_button/drawn_button_layout.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kDrawnButtonClassName = L"Quorrin.DrawnButton";
// The surface's colour under the face.
inline constexpr COLORREF kDrawnButtonBackColor = 0xD7D7D7;
// The caption until one is set.
inline constexpr const wchar_t* kDrawnButtonDefaultCaption = L"0";
// The balloon tooltip's look.
inline constexpr int kDrawnButtonTipWidthPixels = 80;
inline constexpr COLORREF kDrawnButtonTipBackColor = 0x00FFFF;  // yellow
inline constexpr COLORREF kDrawnButtonTipTextColor = 0x000000;

class DrawnButton final : public OwnerDrawnButton {
  public:
    DrawnButton();
    ~DrawnButton() override;

    // Creates the button as a child of `parent` at the given place (pixels, client
    // coordinates of the parent) with the control id of its notifications. `dpi` sizes the
    // face's corners. The button starts disabled.
    bool Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels,
                int32_t dpi = kDefaultDpi);

    // Draws the face for `request` and then the caption into the back buffer, and has the
    // window show it.
    void DrawFace(FaceRequest request);

  private:
    void PaintFace(HDC dc) override;
    void Restyle() override;
    void PressChanged() override;
    void MouseMoved(LPARAM point) override;
    HFONT FallbackFont() override;
    ToolTipLook TipLook() const override;

    // Does what the input rules answered.
    void Apply(const ButtonReaction& reaction);
    void SetText(HDC dc, int width, int height);
    void EnsureBuffer(int width, int height);

    std::array<UniqueBitmap, kButtonFaceCount> faces_;
    UniqueMemoryDc buffer_;  // the persistent drawing surface
    UniqueBitmap bufferBitmap_;
    HGDIOBJ bufferOldBitmap_ = nullptr;
    SIZE bufferSize_{};

    ButtonInput input_;
};

}  // namespace quorrin
