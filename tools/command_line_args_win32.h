// The command-line arguments after the program's name, for the tools that start from
// wWinMain and so get no argv of their own.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace quorrin {

inline std::vector<std::wstring> CommandLineArgs() {
    int count = 0;
    UniqueHandle<LPWSTR*, LocalMemoryDeleter> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) args.emplace_back(argv.Get()[i]);
    return args;
}

}  // namespace quorrin
