#include "app/timekeeper_win32.h"

#include "app/clock_snapshot.h"
#include "remote/remote_keys.h"
#include "settings/save_failure_log_win32.h"
#include "win32/debug_log_win32.h"

namespace quorrin {

Timekeeper::Timekeeper(AppState& state, ConfigFile& config, ShowSession& session,
                       std::function<void(const std::string&)> showMessage)
    : state_(state),
      config_(config),
      session_(session),
      showMessage_(std::move(showMessage)),
      link_([this](const RemoteCommand& command) { Apply(command); }) {}

void Timekeeper::Start(HWND window) {
    link_.SetWindow(window);
    Publish();
    if (!state_.Remote.Enabled) return;
    if (const std::wstring problem = ApplyRemoteSettings(); !problem.empty()) {
        LogDebug(L"the timekeeper's server is off", problem);
    }
}

std::wstring Timekeeper::ApplyRemoteSettings() {
    RemoteSettings remote = state_.Remote;
    if (remote.Enabled && MakeKeysUsable(remote, SystemRandomBytes())) {
        // Links made with keys that were never saved would stop working at the next start.
        if (const FileStatus saved = config_.SaveRemoteSettings(remote); !saved) {
            LogSaveFailure(L"saving the timekeeper's new keys", config_, saved);
        }
        state_.Remote = remote;
    }
    return link_.Serve(remote);
}

void Timekeeper::Publish() { link_.Publish(ClockSnapshot(state_, session_.Engine(), message_)); }

void Timekeeper::Apply(const RemoteCommand& command) {
    const CountdownEngine& engine = session_.Engine();
    switch (command.action) {
        case RemoteAction::Pause:
        case RemoteAction::Resume:
            if (engine.Paused() != (command.action == RemoteAction::Pause)) session_.TogglePause();
            break;
        case RemoteAction::Hide:
        case RemoteAction::Show:
            if (engine.HiddenByPresenter() != (command.action == RemoteAction::Hide)) {
                session_.ToggleHidden();
            }
            break;
        case RemoteAction::AddSeconds:
            session_.AddSeconds(command.seconds);
            break;
        case RemoteAction::SetMessage:
            ShowMessage(command.text);
            break;
    }
    // The answer to the command reads this state.
    Publish();
}

void Timekeeper::ShowMessage(const std::string& text) {
    message_ = text;
    showMessage_(message_);
    Publish();
}

}  // namespace quorrin
