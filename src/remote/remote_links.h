// The two links the timekeeper is given: the view link and the control link, one pair for
// each address of this computer that another device on the network may reach.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

enum class LinkKind { View, Control };

// "http://<address>:<port>/v/<key>" for the view link, ".../c/<key>" for the control link.
std::string TimekeeperLink(std::string_view address, int32_t port, LinkKind kind,
                           std::string_view key);

// At most this many addresses are offered: a computer with more interfaces (virtual
// machines, VPNs) lists the first ones.
inline constexpr size_t kMostLinkAddresses = 4;
inline constexpr std::string_view kLoopbackAddress = "127.0.0.1";

// The addresses to offer links on, from this computer's IPv4 addresses: those another device
// can reach first, in the order given, without repeats; 127.0.0.1 only when there is no other
// (the links then work on this computer alone). At most kMostLinkAddresses.
std::vector<std::string> LinkAddresses(std::span<const std::string> up);

}  // namespace quorrin
