// The base of every settings dialog. A dialog states its frame and controls, what it loads
// and what 保存 does; the base does the rest the same way for all of them:
// - opening: one window at a time; opening an open dialog only brings it forward;
// - closing: 取消, ×, Esc, Alt+F4 and WM_CLOSE all close as 取消 does; 保存 and Enter close
//   once the dialog's Save has succeeded, and a save that cannot write says so (file and
//   reason) and leaves the dialog open with the user's choices; a dialog with nothing to save
//   (DialogFrameSpec::closeOnly) has one 关闭 button, which Enter presses too;
// - the keyboard, with RouteDialogMessage in the message loop: Tab and Shift+Tab in the
//   order the controls were made, arrows within a group of option buttons, Enter for 保存,
//   Esc for 取消; the first control (关闭 in a dialog without 保存) has the focus when the
//   dialog opens, and the control last used gets it back when the dialog is activated again;
// - the clock: a dialog opened during a show may hide the main clock, which comes back when
//   the dialog closes while the show still runs.
#pragma once

#include "settings/app_state.h"
#include "settings/config_file.h"
#include "dialogs/kit/dialog_frame_win32.h"
#include "dialogs/kit/dialog_host.h"
#include "dialogs/kit/dialog_rows_win32.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace quorrin {

// For the program's message loops: a message for an open settings dialog or one of its
// controls goes through the dialog's keyboard handling (IsDialogMessageW), which also
// dispatches it. True when it was handled so; the loop then goes on to the next message.
bool RouteDialogMessage(MSG& message);

class SettingsDialog : public DialogFrame {
  public:
    ~SettingsDialog() override;

    // Creates, fills and shows the dialog (centred on the screen), or brings the open one
    // forward as it is. False when the window cannot be made.
    bool Open(HINSTANCE instance);
    using DialogFrame::IsOpen;
    // Closes the dialog as 取消 does.
    void Close();

  protected:
    // `host` null: a modal dialog, whose owner waits for it to close. `hideClockDuringShow`:
    // the countdown whose show, when running, the main clock is hidden for while the dialog
    // is open (null: the dialog leaves the clock alone).
    SettingsDialog(DialogHost* host, const CountdownState* hideClockDuringShow);

    virtual DialogFrameSpec Frame() const = 0;
    // A dialog made of rows (its constructor's call): the rows are made first, in their
    // order, and the client area is as large as they need, whatever Frame() says; 保存 and
    // 取消 take the kit's places under them. The rows outlive the dialog's window.
    void UseRows(RowSet& rows) { rows_ = &rows; }
    // Called as the dialog opens, before its window is made: a dialog whose rows depend on
    // the moment (this computer's addresses, say) states them here, with UseRows.
    virtual void PrepareRows() {}
    // The dialog's own controls after the rows, in the order Tab visits them (the visual
    // reading order); 保存 and 取消 follow.
    virtual void MakeControls() {}
    virtual void LoadValues() = 0;
    // 保存: true when done, and the dialog closes; false leaves it open as it is. Never
    // called for a dialog without 保存 (closeOnly), which has nothing to save.
    virtual bool Save() { return true; }
    // WM_COMMAND of the dialog's own controls.
    virtual void OnControl(int id, int code) = 0;
    // Runs before the window goes, however the dialog closes.
    virtual void OnClosing() {}

    // Taken before a call that runs a nested message loop (a file or colour picker, the
    // entry editor, a message box); afterwards it tells whether the dialog is still there
    // and open, as it may have been closed, or deleted, meanwhile.
    std::function<bool()> OpenCheck() const;
    // The result of a save to Config.ini: true when written; otherwise the message naming
    // the file and the reason.
    bool Saved(const ConfigFile& config, const FileStatus& status);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A handler that let an exception out leaves the dialog in a state nobody knows: it
    // closes as 取消 does, from the message loop; if closing throws too, the window goes
    // without the closing steps.
    LRESULT OnUnhandledException(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnCommand(int id, int code);
    LRESULT OnStaticColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM state);
    LRESULT OnDestroy();
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

    bool ClockHidden() const;
    void MakeButtons(const DialogFrameSpec& frame);
    void MarkGroups();
    void SaveAndClose();

    DialogHost* host_;
    const CountdownState* hideClockDuringShow_;
    RowSet* rows_ = nullptr;
    bool closeOnly_ = false;  // one 关闭 instead of 保存 and 取消
    bool closingAfterFault_ = false;
    HWND lastFocus_ = nullptr;
    // Expires with the object (see OpenCheck).
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace quorrin
