// Resource ids of Quorrin.exe; they must match the entries of quorrin.rc (which cannot
// include C++ constants, so the numbers are written there too).
#pragma once

#include <windows.h>

namespace quorrin {

// The application icon (ICON 1 in quorrin.rc): window classes, tray, message boxes.
inline constexpr WORD kAppIconId = 1;

}  // namespace quorrin
