// A window that lies over the slide show: it paints all of itself, a click never activates
// it (the show keeps the keyboard), and it is put back on top of a show that pushed itself
// up. The clocks and the timekeeper's message are of this kind.
#pragma once

#include "geometry/rect.h"
#include "win32/window_base_win32.h"

#include <optional>
#include <string_view>

namespace quorrin {

class OverlayWindow : public WindowBase {
  public:
    bool Visible() const;

  protected:
    // Topmost again without activating, and moved to `rect` and shown when one is given.
    // Called at every step of a countdown: a refusal is logged once (naming `what`), not
    // every second. False when refused.
    bool PlaceOnTop(std::wstring_view what, std::optional<PixelRect> rect = std::nullopt);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnPaint() = 0;

  private:
    bool topmostRefused_ = false;
};

}  // namespace quorrin
