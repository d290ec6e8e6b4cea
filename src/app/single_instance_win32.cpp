#include "app/single_instance_win32.h"

#include "win32/debug_log_win32.h"

namespace quorrin {

SingleInstance::SingleInstance(const wchar_t* mutexName)
    : mutex_(CreateMutexW(nullptr, FALSE, mutexName)) {
    // Read the error at once: it tells whether the name existed before this call.
    const DWORD error = GetLastError();
    if (!mutex_) {
        // A copy running with other rights (elevated) holds the name where we may not open it.
        if (error == ERROR_ACCESS_DENIED) {
            first_ = false;
            return;
        }
        LogLastError(L"CreateMutexW for the single-instance check");
        return;
    }
    first_ = error != ERROR_ALREADY_EXISTS;
}

}  // namespace quorrin
