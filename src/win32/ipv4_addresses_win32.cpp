#include "win32/ipv4_addresses_win32.h"

#include "win32/debug_log_win32.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

namespace quorrin {

namespace {

// GetAdaptersAddresses asks for this much first, as its documentation advises, and grows it
// as told when interfaces are added meanwhile, a bounded number of times.
constexpr ULONG kFirstBufferBytes = 15 * 1024;
constexpr int kMaxListAttempts = 3;
constexpr ULONG kListFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                             GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_SKIP_FRIENDLY_NAME;

// The four bytes of the address, in network order, as "a.b.c.d".
std::string DottedAddress(const sockaddr_in& address) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&address.sin_addr);
    std::string text;
    for (size_t i = 0; i < sizeof(address.sin_addr); ++i) {
        if (i > 0) text += '.';
        text += std::to_string(bytes[i]);
    }
    return text;
}

}  // namespace

std::vector<std::string> UpIpv4Addresses() {
    ULONG size = kFirstBufferBytes;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < kMaxListAttempts && result == ERROR_BUFFER_OVERFLOW;
         ++attempt) {
        buffer.assign(size, 0);
        result =
            GetAdaptersAddresses(AF_INET, kListFlags, nullptr,
                                 reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS) {
        SetLastError(result);
        LogLastError(L"GetAdaptersAddresses for the timekeeper's links");
        return {};
    }
    std::vector<std::string> addresses;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
         adapter != nullptr; adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp) continue;
        for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress;
             unicast != nullptr; unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (address == nullptr || address->sa_family != AF_INET) continue;
            addresses.push_back(DottedAddress(*reinterpret_cast<const sockaddr_in*>(address)));
        }
    }
    return addresses;
}

}  // namespace quorrin
