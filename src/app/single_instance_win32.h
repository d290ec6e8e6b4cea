// One running copy per user session: the first copy holds a named mutex in the session's
// Local\ namespace; a later copy sees that it exists and ends.
#pragma once

#include "win32/unique_handle_win32.h"

namespace quorrin {

inline constexpr const wchar_t* kSingleInstanceMutexName = L"Local\\Quorrin.SingleInstance";

class SingleInstance {
  public:
    explicit SingleInstance(const wchar_t* mutexName);

    // True unless another copy already holds the name. When the mutex cannot be created at
    // all, this copy runs (better two clocks than none).
    bool IsFirst() const { return first_; }

  private:
    UniqueKernelHandle mutex_;
    bool first_ = true;
};

}  // namespace quorrin
