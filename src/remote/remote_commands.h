// What a timekeeper can ask of the clock, and the way it reaches the thread that owns the
// state: the server thread hands a command over and waits (bounded) until the owner has
// applied it and published the new state; the owner never waits on the network.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace quorrin {

enum class RemoteAction { Pause, Resume, Hide, Show, AddSeconds, SetMessage };

struct RemoteCommand {
    RemoteAction action = RemoteAction::Pause;
    int32_t seconds = 0;  // AddSeconds: -3600..3600
    std::string text;     // SetMessage: UTF-8, at most 80 characters; empty clears
    bool operator==(const RemoteCommand&) const = default;
};

// The owner of the clock's state, as the request handler sees it.
class RemoteOwner {
  public:
    virtual ~RemoteOwner() = default;
    // Server thread: true once the command has been applied and the state published; false
    // when the owner did not take it in time.
    virtual bool Execute(const RemoteCommand& command) = 0;
};

// A RemoteOwner for a UI thread with a message loop: Execute queues the command, calls
// `wake` (which posts a message to the owner's window) and waits at most `patience`; the UI
// thread, on that message, calls ApplyPending, which applies every queued command in order.
class CommandMailbox final : public RemoteOwner {
  public:
    using Wake = std::function<void()>;
    using Apply = std::function<void(const RemoteCommand&)>;
    static constexpr std::chrono::milliseconds kDefaultPatience{2000};

    explicit CommandMailbox(Wake wake, std::chrono::milliseconds patience = kDefaultPatience);

    bool Execute(const RemoteCommand& command) override;
    // UI thread. Returns how many commands it applied.
    int ApplyPending(const Apply& apply);

  private:
    struct Pending {
        RemoteCommand command;
        bool done = false;
    };

    Wake wake_;
    std::chrono::milliseconds patience_;
    std::mutex mutex_;
    std::condition_variable applied_;
    std::deque<std::shared_ptr<Pending>> queue_;
};

}  // namespace quorrin
