// The timekeeper's side of a talk: the server started and stopped as [Remote] says, the
// commands from the control page applied to the show like the presenter's keys, the message
// shown beside the clock, and the clock's state published after every change.
#pragma once

#include "app/remote_link_win32.h"
#include "app/show_session_win32.h"
#include "dialogs/remote/remote_control.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <functional>
#include <string>

namespace quorrin {

class Timekeeper final : public RemoteControl {
  public:
    // `showMessage` puts the timekeeper's message (UTF-8, empty for none) beside the clock.
    Timekeeper(AppState& state, ConfigFile& config, ShowSession& session,
               std::function<void(const std::string&)> showMessage);

    // Serves when [Remote] is on; the commands are applied on `window`'s thread. A key that
    // was missing or weak is replaced and saved first.
    void Start(HWND window);
    void Stop() { link_.Stop(); }
    // The messages of `window` that are the server's; false for any other.
    bool HandleMessage(UINT message) { return link_.HandleMessage(message); }
    // The clock's state for the pages, after a change.
    void Publish();
    // The presenter clicked the message away.
    void DismissMessage() { ShowMessage({}); }

    // RemoteControl.
    std::wstring ApplyRemoteSettings() override;

  private:
    void Apply(const RemoteCommand& command);
    void ShowMessage(const std::string& text);

    AppState& state_;
    ConfigFile& config_;
    ShowSession& session_;
    std::function<void(const std::string&)> showMessage_;
    std::string message_;  // UTF-8, empty for none
    RemoteLink link_;
};

}  // namespace quorrin
