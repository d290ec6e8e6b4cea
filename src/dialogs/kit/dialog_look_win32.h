// The look every settings dialog shares: a Chinese UI font for its texts, the same face in
// bold for the caption on the title bar, and one picture of the whole client area (the blue
// title bar over a light background with a thin edge). The dialog paints the picture, and
// its labels and check boxes show it through as their background, so that they look
// transparent. Made for one DPI; a dialog at a new DPI makes a new look.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <cstdint>

namespace quorrin {

// A font of the given em height in pixels, in the GB2312 character set; `face` null means
// the dialog's face (the first Chinese UI face the system has).
UniqueFont MakeDialogFaceFont(const wchar_t* face, int heightPixels, int weight);
// The font of every text of a dialog at `dpi`.
UniqueFont MakeDialogTextFont(int32_t dpi);

class DialogLook {
  public:
    // Fonts and picture for a client area of the given size, with a title bar of the given
    // height, at `dpi`.
    void Make(int32_t dpi, SIZE clientPixels, int titleHeightPixels);

    HFONT Font() const { return font_.Get(); }
    HFONT CaptionFont() const { return captionFont_.Get(); }

    // The picture at the client area's origin.
    void Paint(HDC dc, const RECT& client) const;
    // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN of `control` on `dialog`: the brush of the picture,
    // lined up with where the control sits, and the text colour (white on the title bar).
    LRESULT ControlColor(HDC dc, HWND control, HWND dialog, bool onTitleBar) const;

  private:
    UniqueFont font_;         // every text
    UniqueFont captionFont_;  // the caption on the title bar
    UniqueBitmap backdrop_;   // the title band over the backdrop, client-sized
    UniqueBrush backdropBrush_;
};

}  // namespace quorrin
