// Lines for developers about failures at the platform boundary that the user is not shown
// (visible in a debugger, or under Wine with WINEDEBUG=+debugstr).
#pragma once

#include <string_view>

namespace quorrin {

void LogDebug(std::wstring_view context, std::wstring_view detail);
// As LogDebug, with GetLastError's code as the detail.
void LogLastError(std::wstring_view context);

}  // namespace quorrin
