// Where the program's own .exe lies: Config.ini sits beside it, and starting with Windows
// names it.
#pragma once

#include <optional>
#include <string>

namespace quorrin {

// Longest path the module-name lookup tries, in wide characters (the long-path limit).
inline constexpr size_t kMaxModulePathChars = 32768;

// The full path of the running .exe, or nothing when it cannot be found.
std::optional<std::wstring> ProgramPath();

// The folder of the running .exe as UTF-8, without a trailing separator (a drive root keeps
// its "\"), or nothing when it cannot be found.
std::optional<std::string> ProgramFolder();

}  // namespace quorrin
