// What a settings dialog is given by the part of the program that opens it: the clock on the
// primary monitor, which a dialog opened during a show hides while it is open, and word that
// the dialog has closed.
#pragma once

namespace quorrin {

class DialogHost {
  public:
    virtual void HideMainClock() = 0;
    virtual void ShowMainClock() = 0;
    // The dialog's window has gone (保存, 取消, ×, Esc, Alt+F4 or WM_CLOSE); the host may
    // delete the dialog from here on, outside of its window procedure.
    virtual void DialogClosed() = 0;

  protected:
    ~DialogHost() = default;
};

}  // namespace quorrin
