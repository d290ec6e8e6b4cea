// The resource id of the timekeeper's web page (RCDATA in remote_pages.rc, which cannot
// include C++ constants, so the number is written there too).
#pragma once

#include <windows.h>

#include <string>

namespace quorrin {

inline constexpr WORD kRemotePageResourceId = 6300;

// The page's HTML from this program's resources; empty when it cannot be found.
std::string LoadRemotePage();

}  // namespace quorrin
