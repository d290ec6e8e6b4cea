// Resource ids of the image button's stored pictures (BITMAP resources of image_button.rc,
// which cannot include C++ constants, so the numbers are written there too). Picture n of a
// kind has the kind's first id + n.
#pragma once

#include <windows.h>

namespace quorrin {

// Backgrounds and hover pictures 0..6: background_0.bmp ... background_6.bmp.
inline constexpr WORD kFirstButtonBackgroundId = 6100;
// Icons 0..5: icon_0.bmp ... icon_5.bmp.
inline constexpr WORD kFirstButtonIconId = 6110;

}  // namespace quorrin
