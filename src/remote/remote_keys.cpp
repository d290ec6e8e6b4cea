#include "remote/remote_keys.h"

#include <array>

namespace quorrin {
namespace {

constexpr std::string_view kBase64UrlAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

}  // namespace

bool IsUsableKey(std::string_view key) {
    if (key.size() < kLeastKeyChars) return false;
    for (const char c : key) {
        if (!IsKeyChar(c)) return false;
    }
    return true;
}

std::string NewKey(const RandomBytes& random) {
    std::array<unsigned char, kKeyRandomBytes> bytes{};
    random(bytes);
    std::string key;
    // Six bits per character, the first bits of each byte first.
    unsigned buffer = 0;
    int bits = 0;
    for (const unsigned char byte : bytes) {
        buffer = (buffer << 8) | byte;
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            key += kBase64UrlAlphabet[(buffer >> bits) & 0x3F];
        }
    }
    if (bits > 0) key += kBase64UrlAlphabet[(buffer << (6 - bits)) & 0x3F];
    return key;
}

std::string UsableKeyOr(std::string_view stored, const RandomBytes& random) {
    return IsUsableKey(stored) ? std::string(stored) : NewKey(random);
}

bool MakeKeysUsable(RemoteSettings& remote, const RandomBytes& random) {
    const RemoteSettings before = remote;
    remote.ViewKey = UsableKeyOr(remote.ViewKey, random);
    remote.ControlKey = UsableKeyOr(remote.ControlKey, random);
    return remote != before;
}

bool KeysEqual(std::string_view presented, std::string_view expected) {
    // Every byte of the expected key is looked at, whatever the presented one holds.
    unsigned difference = presented.size() == expected.size() ? 0u : 1u;
    for (size_t i = 0; i < expected.size(); ++i) {
        const unsigned char given =
            i < presented.size() ? static_cast<unsigned char>(presented[i]) : 0u;
        difference |= given ^ static_cast<unsigned char>(expected[i]);
    }
    return difference == 0 && !expected.empty();
}

}  // namespace quorrin
