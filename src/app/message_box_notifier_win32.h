// The settings loader's messages, shown to the user as a plain message box.
#pragma once

#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kMessageBoxCaption = L"Quorrin";

// A Notifier that shows the text in an OK-only box captioned "Quorrin" and returns when the
// user has dismissed it.
Notifier MessageBoxNotifier();

}  // namespace quorrin
