// The clock's bold face at a pixel height, as the time and the timekeeper's message use it.
#pragma once

#include "win32/unique_handle_win32.h"

#include <cstdint>
#include <string>

namespace quorrin {

// `heightPixels` is the character height (as a size in points gives it); null on failure,
// which is logged.
UniqueFont MakeClockFont(const std::wstring& face, int32_t heightPixels);

}  // namespace quorrin
