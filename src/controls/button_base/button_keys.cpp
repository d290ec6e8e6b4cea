#include "controls/button_base/button_keys.h"

namespace quorrin {

bool ButtonKeys::KeyDown(ButtonKey key, bool repeat) {
    switch (key) {
        case ButtonKey::Space:
            spaceHeld_ = true;
            return false;
        case ButtonKey::Enter:
            if (repeat) return false;
            spaceHeld_ = false;  // one click for the two keys, not a second at Space's release
            return true;
        case ButtonKey::Other:
            break;
    }
    return false;
}

bool ButtonKeys::KeyUp(ButtonKey key) {
    if (key != ButtonKey::Space || !spaceHeld_) return false;
    spaceHeld_ = false;
    return true;
}

}  // namespace quorrin
