// What a settings dialog may do to the clock on the primary monitor: a dialog opened during
// a show hides it and shows it again when it closes.
#pragma once

namespace quorrin {

class MainClockControl {
  public:
    virtual void HideMainClock() = 0;
    virtual void ShowMainClock() = 0;

  protected:
    ~MainClockControl() = default;
};

}  // namespace quorrin
