// The timekeeper's server as this program runs it: listening while [Remote] says so, telling
// the clock's state as the UI thread publishes it, and handing the timekeeper's commands to
// the UI thread, which applies them when the main clock window gets kRemoteCommandMessage.
#pragma once

#include "remote/remote_commands.h"
#include "remote/remote_server.h"
#include "remote/request_handler.h"
#include "settings/app_state.h"

#include <windows.h>

#include <memory>
#include <string>

namespace quorrin {

inline constexpr UINT kRemoteCommandMessage = WM_APP + 3;

class RemoteLink {
  public:
    explicit RemoteLink(CommandMailbox::Apply apply);
    ~RemoteLink();
    RemoteLink(const RemoteLink&) = delete;
    RemoteLink& operator=(const RemoteLink&) = delete;

    // The window whose thread applies the commands.
    void SetWindow(HWND window) { window_ = window; }

    // Serves as `remote` says (its keys usable): starts listening, listens again on another
    // port or with other keys (every connection made with the old ones closes), or stops.
    // Empty when it is so; otherwise why the port could not be had, for the presenter.
    std::wstring Serve(const RemoteSettings& remote);
    void Stop();
    bool Listening() const { return server_ != nullptr; }

    // UI thread: the clock's state now.
    void Publish(const RemoteSnapshot& snapshot) { snapshots_.Publish(snapshot); }
    // kRemoteCommandMessage applies every command that waits; false for any other message.
    bool HandleMessage(UINT message);

  private:
    HWND window_ = nullptr;
    CommandMailbox::Apply apply_;
    SnapshotBox snapshots_;
    CommandMailbox mailbox_;
    RemoteSettings serving_;  // what the running server was started with
    std::unique_ptr<RequestHandler> handler_;
    std::unique_ptr<RemoteServer> server_;
};

}  // namespace quorrin
