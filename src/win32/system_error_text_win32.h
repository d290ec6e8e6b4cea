// The system's own text for an error code of GetLastError().
#pragma once

#include <windows.h>

#include <string>

namespace quorrin {

// One line, in the system's language, without the trailing line break; the code in
// decimal when the system has no text for it.
std::wstring SystemErrorText(DWORD code);

}  // namespace quorrin
