#include "win32/frame_guard_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <exception>

namespace quorrin {

void LogCaughtException(const wchar_t* place) noexcept {
    // Logging needs memory; an exception while logging is dropped, never passed on.
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            LogDebug(place, L"stopped an exception: " + Utf8ToWide(error.what()));
        } catch (...) {
            LogDebug(place, L"stopped an exception of an unknown type");
        }
    } catch (...) {
    }
}

}  // namespace quorrin
