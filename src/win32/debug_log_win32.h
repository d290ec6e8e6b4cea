// Lines for developers about failures at the platform boundary that the user is not shown
// (visible in a debugger, or under Wine with WINEDEBUG=+debugstr).
#pragma once

#include <string_view>

namespace quorrin {

void LogDebug(std::wstring_view context, std::wstring_view detail);
// For a Win32 call that failed: the place, the function, GetLastError's code and the
// system's text for it ("place: function: failed, error 5: Access is denied."). Call it
// straight after the failed call, before anything else can change the last error.
void LogLastError(std::wstring_view place, std::wstring_view function = {});

// Every logged line also goes to `observer` (null: none); returns the previous one. For
// tests that check what was logged.
using DebugLogObserver = void (*)(std::wstring_view line);
DebugLogObserver ObserveDebugLog(DebugLogObserver observer);

}  // namespace quorrin
