// What the timekeeper dialog asks of the running program: to serve as [Remote] now says.
#pragma once

#include <string>

namespace quorrin {

class RemoteControl {
  public:
    // [Remote] has been saved: the server starts, restarts (another port, new keys) or stops.
    // Empty when it now runs as the settings say; otherwise the reason, for the presenter, why
    // it could not listen (the port is taken, say).
    virtual std::wstring ApplyRemoteSettings() = 0;

  protected:
    ~RemoteControl() = default;
};

}  // namespace quorrin
