// The settings loader's messages, shown to the user as a plain message box.
#pragma once

#include "settings/config_file.h"
#include "win32/message_box_win32.h"

namespace quorrin {

// A Notifier that shows the text in an OK-only box captioned "Quorrin" and returns when the
// user has dismissed it.
Notifier MessageBoxNotifier();

}  // namespace quorrin
