// Looks at and drives the top-level windows of the desktop from the command line, for the
// end-to-end tests (windows of other processes under Wine, Chinese titles included).
//
//   wininfo.exe list [--class NAME] [--title TEXT] [--pid N] [--visible]
//       one line per matching window, tab-separated:
//       hwnd pid visible topmost left top right bottom style exstyle class title
//       exit code 1 when no window matched
//   wininfo.exe text HWND          the window's text, then "id<TAB>class<TAB>text" per child
//   wininfo.exe close HWND         posts WM_CLOSE
//   wininfo.exe command HWND ID    posts WM_COMMAND ID (e.g. 1 = IDOK to a message box)
//   wininfo.exe click HWND ID      clicks the child control ID (BM_CLICK, e.g. a check box)
//   wininfo.exe settext HWND ID TEXT   sets the text of the child control ID (WM_SETTEXT)
//   wininfo.exe select HWND ID INDEX   selects item INDEX of the drop-down list ID, and tells
//                                      the window as a user's choice does (CBN_SELCHANGE)
//   wininfo.exe rects HWND         "id<TAB>class<TAB>visible<TAB>left<TAB>top<TAB>right<TAB>
//                                  bottom" (screen pixels) for every child, grandchildren too
//   wininfo.exe alpha HWND         a layered window's "alpha<TAB>key colour<TAB>flags"
//
// Output is UTF-8. Handles are printed and read as 0x... hex.
#include "win32/wide_text_win32.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr UINT kGetTextTimeoutMs = 2000;
constexpr size_t kMaxTextChars = 4096;

void Write(const std::string& text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode) != FALSE) {
        const std::wstring wide = quorrin::Utf8ToWide(text);
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

std::string Hex(unsigned long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "0x%llx", value);
    return buffer;
}

std::string HandleText(HWND window) {
    return Hex(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
}

std::optional<HWND> ParseHandle(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 0);
    if (end == text || *end != L'\0') return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

std::string ClassName(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, 256);
    return quorrin::WideToUtf8(std::wstring_view(buffer, length > 0 ? length : 0));
}

// GetWindowText cannot read a control of another process; WM_GETTEXT can.
std::string WindowText(HWND window) {
    std::wstring buffer(kMaxTextChars, L'\0');
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, kMaxTextChars,
                            reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                            kGetTextTimeoutMs, &length) == 0) {
        return {};
    }
    buffer.resize(length);
    return quorrin::WideToUtf8(buffer);
}

struct ListFilter {
    std::optional<std::string> className;
    std::optional<std::string> titlePart;
    std::optional<DWORD> processId;
    bool visibleOnly = false;
};

struct ListRun {
    ListFilter filter;
    int matches = 0;
};

std::string Describe(HWND window, DWORD processId, const std::string& className,
                     const std::string& title) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    std::string line = HandleText(window);
    line += '\t' + std::to_string(processId);
    line += '\t' + std::to_string(IsWindowVisible(window) != FALSE ? 1 : 0);
    line += '\t' + std::to_string((exStyle & WS_EX_TOPMOST) != 0 ? 1 : 0);
    line += '\t' + std::to_string(rect.left) + '\t' + std::to_string(rect.top);
    line += '\t' + std::to_string(rect.right) + '\t' + std::to_string(rect.bottom);
    line += '\t' + Hex(static_cast<unsigned long>(style));
    line += '\t' + Hex(static_cast<unsigned long>(exStyle));
    line += '\t' + className + '\t' + title + '\n';
    return line;
}

BOOL CALLBACK ListOne(HWND window, LPARAM context) {
    auto& run = *reinterpret_cast<ListRun*>(context);
    const ListFilter& f = run.filter;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::string className = ClassName(window);
    const std::string title = WindowText(window);
    if (f.visibleOnly && IsWindowVisible(window) == FALSE) return TRUE;
    if (f.processId && *f.processId != processId) return TRUE;
    if (f.className && *f.className != className) return TRUE;
    if (f.titlePart && title.find(*f.titlePart) == std::string::npos) return TRUE;
    ++run.matches;
    Write(Describe(window, processId, className, title));
    return TRUE;
}

int List(const std::vector<std::wstring>& args) {
    ListRun run;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == L"--visible") {
            run.filter.visibleOnly = true;
        } else if (args[i] == L"--class" && hasValue) {
            run.filter.className = quorrin::WideToUtf8(args[++i]);
        } else if (args[i] == L"--title" && hasValue) {
            run.filter.titlePart = quorrin::WideToUtf8(args[++i]);
        } else if (args[i] == L"--pid" && hasValue) {
            run.filter.processId = static_cast<DWORD>(std::wcstoul(args[++i].c_str(), nullptr, 0));
        } else {
            return kExitUsage;
        }
    }
    EnumWindows(&ListOne, reinterpret_cast<LPARAM>(&run));
    return run.matches > 0 ? kExitOk : kExitNotFound;
}

BOOL CALLBACK TextOfChild(HWND child, LPARAM) {
    Write(std::to_string(GetDlgCtrlID(child)) + '\t' + ClassName(child) + '\t' + WindowText(child) +
          '\n');
    return TRUE;
}

int Text(HWND window) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    Write(WindowText(window) + '\n');
    EnumChildWindows(window, &TextOfChild, 0);
    return kExitOk;
}

int Post(HWND window, UINT message, WPARAM wParam) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    return PostMessageW(window, message, wParam, 0) != FALSE ? kExitOk : kExitNotFound;
}

// Sends to a child control; exit code 1 when there is no such child.
int SendToChild(HWND window, int id, UINT message, LPARAM lParam) {
    const HWND child = GetDlgItem(window, id);
    if (child == nullptr) return kExitNotFound;
    SendMessageW(child, message, 0, lParam);
    return kExitOk;
}

BOOL CALLBACK RectOfChild(HWND child, LPARAM) {
    RECT r{};
    GetWindowRect(child, &r);
    Write(std::to_string(GetDlgCtrlID(child)) + '\t' + ClassName(child) + '\t' +
          std::to_string(IsWindowVisible(child) != FALSE ? 1 : 0) + '\t' + std::to_string(r.left) +
          '\t' + std::to_string(r.top) + '\t' + std::to_string(r.right) + '\t' +
          std::to_string(r.bottom) + '\n');
    return TRUE;
}

int Rects(HWND window) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    EnumChildWindows(window, &RectOfChild, 0);
    return kExitOk;
}

int Alpha(HWND window) {
    BYTE alpha = 0;
    COLORREF key = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, &key, &alpha, &flags) == FALSE) return kExitNotFound;
    Write(std::to_string(alpha) + '\t' + std::to_string(key) + '\t' + std::to_string(flags) + '\n');
    return kExitOk;
}

int Select(HWND window, int id, WPARAM index) {
    const HWND list = GetDlgItem(window, id);
    if (list == nullptr) return kExitNotFound;
    if (SendMessageW(list, CB_SETCURSEL, index, 0) == CB_ERR) return kExitNotFound;
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list)) != FALSE
               ? kExitOk
               : kExitNotFound;
}

int Usage() {
    Write(
        "wininfo.exe list [--class NAME] [--title TEXT] [--pid N] [--visible]\n"
        "wininfo.exe text HWND | close HWND | command HWND ID | click HWND ID\n"
        "wininfo.exe settext HWND ID TEXT | select HWND ID INDEX\n"
        "wininfo.exe rects HWND | alpha HWND\n");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    const std::vector<std::wstring> rest(argv + 2, argv + argc);
    if (command == L"list") {
        const int result = List(rest);
        return result == kExitUsage ? Usage() : result;
    }
    if (rest.empty()) return Usage();
    const std::optional<HWND> window = ParseHandle(rest[0].c_str());
    if (!window) return Usage();
    if (command == L"text" && rest.size() == 1) return Text(*window);
    if (command == L"close" && rest.size() == 1) return Post(*window, WM_CLOSE, 0);
    if (command == L"rects" && rest.size() == 1) return Rects(*window);
    if (command == L"alpha" && rest.size() == 1) return Alpha(*window);
    if (command == L"command" && rest.size() == 2) {
        return Post(*window, WM_COMMAND, std::wcstoul(rest[1].c_str(), nullptr, 0));
    }
    const auto childId = [&] { return static_cast<int>(std::wcstol(rest[1].c_str(), nullptr, 0)); };
    if (command == L"click" && rest.size() == 2) {
        return SendToChild(*window, childId(), BM_CLICK, 0);
    }
    if (command == L"select" && rest.size() == 3) {
        return Select(*window, childId(), std::wcstoul(rest[2].c_str(), nullptr, 0));
    }
    if (command == L"settext" && rest.size() == 3) {
        return SendToChild(*window, childId(), WM_SETTEXT,
                           reinterpret_cast<LPARAM>(rest[2].c_str()));
    }
    return Usage();
}
