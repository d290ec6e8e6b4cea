// Holds a file open as another program might, for the end-to-end tests of the settings file.
//   hold-file PATH MILLISECONDS [READY_FILE]
// Opens PATH for reading and writing with no sharing at all (so nobody may read, write,
// rename or delete it meanwhile), creates READY_FILE (when given) once it holds the file,
// keeps it for MILLISECONDS and closes it. Exit code 0 when the file was held, 1 when it
// could not be opened, 2 on bad arguments.
#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("usage: hold-file PATH MILLISECONDS [READY_FILE]\n", stderr);
        return 2;
    }
    const DWORD holdMs = static_cast<DWORD>(std::wcstoul(args[1].c_str(), nullptr, 10));
    quorrin::UniqueFile file(CreateFileW(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        std::fprintf(stderr, "hold-file: cannot open the file, error %lu\n", GetLastError());
        return 1;
    }
    if (args.size() == 3) {
        quorrin::UniqueFile ready(CreateFileW(args[2].c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    Sleep(holdMs);
    return 0;
}
