// The timekeeper's server: Asio on a thread of its own, one session per connection, at most
// kMaxConnections at once (more are closed at once), a deadline on every read and write.
// Nothing listens until Start, and Stop closes the listener and every connection.
#pragma once

#include "remote/remote_snapshot.h"
#include "remote/request_handler.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace quorrin {

class RemoteServer {
  public:
    static constexpr int kMaxConnections = 32;
    // A connection that sends no complete request for this long is closed.
    static constexpr std::chrono::seconds kIdleTimeout{30};
    static constexpr std::chrono::seconds kWriteTimeout{10};
    // How often a live-update stream looks for a new snapshot (well within one second), and
    // how long it stays silent before a keep-alive comment shows whether its client is gone.
    static constexpr std::chrono::milliseconds kEventPoll{200};
    static constexpr std::chrono::seconds kEventKeepAlive{10};

    enum class Reach { Network, ThisComputerOnly };

    // The handler and the snapshots must outlive the server; the handler is used from the
    // server's thread only.
    RemoteServer(RequestHandler& handler, const SnapshotBox& snapshots);
    ~RemoteServer();
    RemoteServer(const RemoteServer&) = delete;
    RemoteServer& operator=(const RemoteServer&) = delete;

    // Listens at once on `port` (0: any free port) of every IPv4 address (or of 127.0.0.1
    // only) and serves from a new thread. False, with the system's reason in `error`, when
    // the port cannot be had. A running server is stopped first.
    bool Start(uint16_t port, Reach reach, std::string& error);
    void Stop();
    bool IsRunning() const { return impl_ != nullptr; }
    // The port listened on (the one chosen when Start was given 0), 0 when stopped.
    uint16_t Port() const;

  private:
    struct Impl;
    RequestHandler& handler_;
    const SnapshotBox& snapshots_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quorrin
