// The sound settings dialog: the warning sound, the end sound and whether the end signal
// is given. Modeless; one at a time.
#pragma once

#include "app/window_base_win32.h"
#include "dialogs/main_clock_control.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <functional>

namespace quorrin {

class NormalSetDialog final : public WindowBase {
  public:
    // `onClosed` runs once the dialog's window has been destroyed (Save, Cancel, "×", or
    // WM_CLOSE); the owner may then delete the object outside of its window procedure.
    NormalSetDialog(AppState& state, ConfigFile& config, MainClockControl& clock,
                    std::function<void()> onClosed);
    ~NormalSetDialog() override;

    // Creates and shows the dialog (centred on the screen), or brings the open one forward.
    bool Open(HINSTANCE instance);
    bool IsOpen() const { return Handle() != nullptr; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // (the implementation's private members follow)
};

}  // namespace quorrin
