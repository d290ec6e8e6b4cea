#include "remote/failed_key_limit.h"

#include <algorithm>

namespace quorrin {

bool FailedKeyLimit::IsBlocked(std::string_view address, Clock::time_point now) const {
    const auto found = records_.find(address);
    return found != records_.end() && now < found->second.blockedUntil;
}

void FailedKeyLimit::RecordFailure(std::string_view address, Clock::time_point now) {
    if (records_.size() >= kMaxAddresses) Forget(now);
    auto [found, added] = records_.try_emplace(std::string(address));
    Record& record = found->second;
    if (added || now - record.windowStart >= kFailureWindow) {
        record.windowStart = now;
        record.failures = 0;
    }
    if (++record.failures >= kFailuresAllowed) {
        record.blockedUntil = now + kBlockDuration;
        record.windowStart = now;
        record.failures = 0;
    }
}

// Drops the records that no longer count; when every one still counts, the one whose window
// started first.
void FailedKeyLimit::Forget(Clock::time_point now) {
    std::erase_if(records_, [&](const auto& entry) {
        return now - entry.second.windowStart >= kFailureWindow && now >= entry.second.blockedUntil;
    });
    if (records_.size() < kMaxAddresses) return;
    const auto oldest = std::min_element(records_.begin(), records_.end(), [](auto& a, auto& b) {
        return a.second.windowStart < b.second.windowStart;
    });
    records_.erase(oldest);
}

}  // namespace quorrin
