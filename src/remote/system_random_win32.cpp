#include "remote/remote_keys.h"

#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

namespace quorrin {

RandomBytes SystemRandomBytes() {
    return [](std::span<unsigned char> bytes) {
        const NTSTATUS status =
            BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                            BCRYPT_USE_SYSTEM_PREFERRED_RNG);
        // A key from a failed source would be guessable: better no key at all.
        if (status < 0) throw std::runtime_error("BCryptGenRandom failed");
    };
}

}  // namespace quorrin
