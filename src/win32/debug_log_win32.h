// Lines for developers about failures at the platform boundary that the user is not shown
// (visible in a debugger, or under Wine with WINEDEBUG=+debugstr).
#pragma once

#include <source_location>
#include <string_view>

namespace quorrin {

void LogDebug(std::wstring_view context, std::wstring_view detail);
// For a Win32 call that failed: where it was called (file and line, taken from the caller),
// the call, GetLastError's code and the system's text for it
// ("app/show_watcher_win32.cpp:40: SetTimer for a held-back pass: failed, error 8: ...").
// `call` names the function and, where it helps, what it was for. Call it straight after
// the failed call, before anything else can change the last error.
void LogLastError(std::wstring_view call,
                  std::source_location where = std::source_location::current());

// Every logged line also goes to `observer` (null: none); returns the previous one. For
// tests that check what was logged.
using DebugLogObserver = void (*)(std::wstring_view line);
DebugLogObserver ObserveDebugLog(DebugLogObserver observer);

}  // namespace quorrin
