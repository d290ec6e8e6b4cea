// The keys that click a focused push button of the program, without a window. Enter clicks
// on its key-down (once: a held key's auto-repeat does not click again). Space clicks when it
// comes back up after going down on the button, as a system push button does: the button
// looks pressed while Space is held, and a press the focus or the mouse took away does not
// click.
#pragma once

namespace quorrin {

enum class ButtonKey { Space, Enter, Other };

class ButtonKeys {
  public:
    // A key went down; `repeat` when it was down already (auto-repeat). True: click now.
    bool KeyDown(ButtonKey key, bool repeat);
    // A key came up. True: click now.
    bool KeyUp(ButtonKey key);
    // The focus went, the button was disabled or a mouse press began: a held Space is over.
    void Cancel() { spaceHeld_ = false; }
    bool SpaceHeld() const { return spaceHeld_; }

  private:
    bool spaceHeld_ = false;
};

}  // namespace quorrin
