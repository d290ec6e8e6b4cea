// The image button's stored pictures, loaded once from the module's resources and shared by
// every button of that module: the seven backgrounds and hover strips as bitmaps, the six
// icons as premultiplied pixels, resized per button to the size they are drawn at.
#pragma once

#include "win32/unique_handle_win32.h"
#include "controls/image_button/button_layout.h"
#include "controls/image_button/picture_scaling.h"

#include <windows.h>

#include <array>
#include <memory>

namespace quorrin {

class ButtonPictures {
  public:
    // The pictures of `module`, loaded on the first call and kept while any caller holds
    // them. Pictures that fail to load are logged and stay empty.
    static std::shared_ptr<const ButtonPictures> Of(HINSTANCE module);

    explicit ButtonPictures(HINSTANCE module);

    // Stored background or hover picture `number` (0..6); null when missing.
    HBITMAP Background(int32_t number) const;
    // Stored icon `number` (0..5), premultiplied; null when missing.
    const BgraPicture* Icon(int32_t number) const;

  private:
    std::array<UniqueBitmap, kBackgroundPictureCount> backgrounds_;
    std::array<BgraPicture, kIconPictureCount> icons_;
};

// A premultiplied picture as a 32-bit top-down DIB section, ready for GdiAlphaBlend.
UniqueBitmap MakeAlphaBitmap(const BgraPicture& picture);

}  // namespace quorrin
