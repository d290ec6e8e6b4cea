#include "remote/remote_links.h"

#include <algorithm>

namespace quorrin {

namespace {

// 127.0.0.0/8 answers only on this computer.
bool IsLoopback(std::string_view address) { return address.starts_with("127."); }

}  // namespace

std::string TimekeeperLink(std::string_view address, int32_t port, LinkKind kind,
                           std::string_view key) {
    std::string link = "http://";
    link += address;
    link += ':';
    link += std::to_string(port);
    link += kind == LinkKind::View ? "/v/" : "/c/";
    link += key;
    return link;
}

std::vector<std::string> LinkAddresses(std::span<const std::string> up) {
    std::vector<std::string> offered;
    for (const std::string& address : up) {
        if (offered.size() == kMostLinkAddresses) break;
        if (address.empty() || IsLoopback(address)) continue;
        if (std::find(offered.begin(), offered.end(), address) == offered.end()) {
            offered.push_back(address);
        }
    }
    if (offered.empty()) offered.emplace_back(kLoopbackAddress);
    return offered;
}

}  // namespace quorrin
