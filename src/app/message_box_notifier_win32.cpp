#include "app/message_box_notifier_win32.h"

#include "win32/wide_text_win32.h"

#include <windows.h>

namespace quorrin {

Notifier MessageBoxNotifier() {
    return [](const std::string& messageUtf8) {
        MessageBoxW(nullptr, Utf8ToWide(messageUtf8).c_str(), kMessageBoxCaption, MB_OK);
    };
}

}  // namespace quorrin
