#include "remote/remote_keys.h"

#include <random>

namespace quorrin {

RandomBytes SystemRandomBytes() {
    return [](std::span<unsigned char> bytes) {
        // libstdc++'s random_device reads the kernel's source (getrandom or /dev/urandom).
        std::random_device device;
        for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(device());
    };
}

}  // namespace quorrin
