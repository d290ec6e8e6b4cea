// The keys in the timekeeper's links: checking a stored key, making a new one, comparing a
// presented key without telling by the time taken how much of it matched.
#pragma once

#include "settings/app_state.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace quorrin {

// Fills the span with random bytes (the system's source, or a test's).
using RandomBytes = std::function<void(std::span<unsigned char>)>;

// A key of this many characters from [A-Za-z0-9_-] carries at least 128 bits when random.
inline constexpr size_t kLeastKeyChars = 22;
inline constexpr size_t kKeyRandomBytes = 16;  // 128 bits

bool IsUsableKey(std::string_view key);

// A new key: kKeyRandomBytes from `random`, base64url without padding (22 characters).
std::string NewKey(const RandomBytes& random);

// `stored` when it is usable, else a new key.
std::string UsableKeyOr(std::string_view stored, const RandomBytes& random);

// Both keys of `remote` usable: a missing or weak one is replaced by a new key. True when one
// was replaced, so that the settings must be saved.
bool MakeKeysUsable(RemoteSettings& remote, const RandomBytes& random);

// Equal keys, in a time that depends only on the length of `expected`.
bool KeysEqual(std::string_view presented, std::string_view expected);

// The operating system's random source (BCryptGenRandom on Windows).
RandomBytes SystemRandomBytes();

}  // namespace quorrin
