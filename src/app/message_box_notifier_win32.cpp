#include "app/message_box_notifier_win32.h"

namespace quorrin {

Notifier MessageBoxNotifier() {
    return [](const std::string& messageUtf8) { ShowMessage(nullptr, messageUtf8); };
}

}  // namespace quorrin
