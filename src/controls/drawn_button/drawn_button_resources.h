// Resource ids of the drawn button's four faces (BITMAP resources of drawn_button.rc, which
// cannot include C++ constants, so the numbers are written there too). Face n has id
// kFirstButtonFaceId + n.
#pragma once

#include <windows.h>

namespace quorrin {

inline constexpr WORD kFirstButtonFaceId = 6200;

}  // namespace quorrin
