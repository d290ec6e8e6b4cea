// A stand-in for the clock's owner in the timekeeper's server tests: it applies commands to
// a state of its own and publishes it, as the UI thread does.
#pragma once

#include "remote/remote_commands.h"
#include "remote/remote_snapshot.h"

#include <mutex>
#include <vector>

namespace quorrin {

inline RemoteCommand MakeCommand(RemoteAction action, int32_t seconds = 0) {
    RemoteCommand command;
    command.action = action;
    command.seconds = seconds;
    return command;
}

class FakeClockOwner final : public RemoteOwner {
  public:
    explicit FakeClockOwner(SnapshotBox& snapshots) : snapshots_(snapshots) {
        state_.show = true;
        state_.presentation = "年度报告.pptx";
        state_.remainingSeconds = 600;
        state_.plannedSeconds = 900;
        snapshots_.Publish(state_);
    }

    bool Execute(const RemoteCommand& command) override {
        std::lock_guard lock(mutex_);
        if (!takesCommands) return false;
        received_.push_back(command);
        switch (command.action) {
            case RemoteAction::Pause:
                state_.paused = true;
                break;
            case RemoteAction::Resume:
                state_.paused = false;
                break;
            case RemoteAction::Hide:
                state_.hidden = true;
                break;
            case RemoteAction::Show:
                state_.hidden = false;
                break;
            case RemoteAction::AddSeconds:
                state_.remainingSeconds += command.seconds;
                break;
            case RemoteAction::SetMessage:
                state_.message = command.text;
                break;
        }
        snapshots_.Publish(state_);
        return true;
    }

    std::vector<RemoteCommand> Received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

    bool takesCommands = true;

  private:
    SnapshotBox& snapshots_;
    std::mutex mutex_;
    RemoteSnapshot state_;
    std::vector<RemoteCommand> received_;
};

}  // namespace quorrin
