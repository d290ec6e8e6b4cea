// The IPv4 addresses of this computer, for links another device on the network can open.
#pragma once

#include <string>
#include <vector>

namespace quorrin {

// Each unicast IPv4 address of every network interface that is up, loopback ones included,
// in dotted form ("192.168.1.20"), in the order the system lists them. Empty, logged, when
// the system cannot list them.
std::vector<std::string> UpIpv4Addresses();

}  // namespace quorrin
