// What the timekeeper's server tells its clients: a copy of the clock's state that the UI
// thread publishes whenever it changes, and that the server thread reads without ever making
// the countdown wait.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace quorrin {

struct RemoteSnapshot {
    bool show = false;             // a slide show is being timed
    std::string presentation;      // its name (UTF-8), empty without a show
    int32_t remainingSeconds = 0;  // negative in overtime
    int32_t plannedSeconds = 0;
    bool paused = false;
    bool warning = false;
    bool overtime = false;
    bool hidden = false;              // the clock is hidden
    std::string message;              // the timekeeper's message on the speaker's screens (UTF-8)
    int32_t warningColor = 0x004DA6;  // 0x00BBGGRR, as the talk settings hold them
    int32_t overtimeColor = 0x0000C0;

    bool operator==(const RemoteSnapshot&) const = default;
};

// The state as the API answers it: a JSON object with the fields above.
std::string SnapshotJson(const RemoteSnapshot& snapshot);

// The latest snapshot behind a mutex, with a version that grows with every change, so that
// the live-update streams send only what is new.
class SnapshotBox {
  public:
    struct Versioned {
        RemoteSnapshot snapshot;
        uint64_t version = 0;
    };

    // UI thread: the state now. An unchanged state keeps the version.
    void Publish(const RemoteSnapshot& snapshot);
    // Any thread.
    Versioned Read() const;
    uint64_t Version() const;

  private:
    mutable std::mutex mutex_;
    Versioned current_;
};

}  // namespace quorrin
