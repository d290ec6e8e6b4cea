// Counts wrong keys per client address: after kFailuresAllowed within kFailureWindow the
// address is refused for kBlockDuration. Time is a parameter; one thread uses it.
#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace quorrin {

class FailedKeyLimit {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kFailuresAllowed = 10;
    static constexpr std::chrono::seconds kFailureWindow{60};
    static constexpr std::chrono::seconds kBlockDuration{60};
    // Addresses remembered at most; past this the oldest records go first.
    static constexpr size_t kMaxAddresses = 4096;

    bool IsBlocked(std::string_view address, Clock::time_point now) const;
    void RecordFailure(std::string_view address, Clock::time_point now);

  private:
    struct Record {
        Clock::time_point windowStart;
        int failures = 0;
        Clock::time_point blockedUntil;
    };
    void Forget(Clock::time_point now);

    std::map<std::string, Record, std::less<>> records_;
};

}  // namespace quorrin
