#include "remote/remote_commands.h"

#include <utility>

namespace quorrin {

CommandMailbox::CommandMailbox(Wake wake, std::chrono::milliseconds patience)
    : wake_(std::move(wake)), patience_(patience) {}

bool CommandMailbox::Execute(const RemoteCommand& command) {
    auto pending = std::make_shared<Pending>();
    pending->command = command;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(pending);
    }
    wake_();
    std::unique_lock lock(mutex_);
    if (applied_.wait_for(lock, patience_, [&] { return pending->done; })) return true;
    // Not taken in time: it must not happen later, after the client was told it failed.
    std::erase(queue_, pending);
    return false;
}

int CommandMailbox::ApplyPending(const Apply& apply) {
    int count = 0;
    for (;;) {
        std::shared_ptr<Pending> next;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) break;
            next = queue_.front();
            queue_.pop_front();
        }
        apply(next->command);
        ++count;
        {
            std::lock_guard lock(mutex_);
            next->done = true;
        }
        applied_.notify_all();
    }
    return count;
}

}  // namespace quorrin
