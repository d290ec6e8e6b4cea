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
//   wininfo.exe children HWND      one line per child window, tab-separated:
//       hwnd id visible left top right bottom class text   (screen pixels)
//   wininfo.exe region HWND        the bounding box of the window's region, relative to the
//       window: left top right bottom inset; inset is how far along the diagonal from the
//       box's top-left corner the first point inside the region lies (0 for a square
//       corner, about 0.15 x the corner ellipse's size for a rounded one); exit code 1 when
//       the window has no region
//   wininfo.exe dpi HWND           the window's DPI, then the system DPI
//   wininfo.exe drag HWND X1 Y1 X2 Y2   a drag with the left button from X1,Y1 to X2,Y2
//       (client pixels), sent as the window's button-down, mouse-move and button-up
//       messages (Wine under xdotool does not deliver a held-button move to a clock that
//       never activates)
//   wininfo.exe items HWND ID      the rows of a list box or drop-down list child, one line
//       each: index<TAB>selected (0/1)<TAB>text (the text may hold tabs)
//   wininfo.exe state HWND ID      enabled<TAB>checked<TAB>visible<TAB>left top right bottom
//       of the child (screen pixels, tab-separated)
//   wininfo.exe select HWND ID N   selects row N of a list box or drop-down list child and
//       tells the window as a user's choice does (LBN_SELCHANGE / CBN_SELCHANGE)
//   wininfo.exe notify HWND ID CODE   posts WM_COMMAND (ID, CODE) from the child, e.g. a
//       list box's double click (LBN_DBLCLK = 2)
//   wininfo.exe alpha HWND         a layered window's "alpha<TAB>key colour<TAB>flags"
//   wininfo.exe focus HWND         the child of the window with the keyboard focus:
//       id<TAB>class; exit code 1 when the focus is not on one of its children
//   wininfo.exe clipboard          the text on the clipboard (CF_UNICODETEXT); exit code 1
//       when it holds none
//   wininfo.exe broadcast NAME     posts the registered window message NAME to every
//       top-level window (HWND_BROADCAST), e.g. TaskbarCreated as the shell sends it
//
// The tool is DPI-aware: every coordinate is in physical screen pixels, whatever the
// window's own awareness.
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

BOOL CALLBACK DescribeChild(HWND child, LPARAM) {
    RECT rect{};
    GetWindowRect(child, &rect);
    Write(HandleText(child) + '\t' + std::to_string(GetDlgCtrlID(child)) + '\t' +
          std::to_string(IsWindowVisible(child) != FALSE ? 1 : 0) + '\t' +
          std::to_string(rect.left) + '\t' + std::to_string(rect.top) + '\t' +
          std::to_string(rect.right) + '\t' + std::to_string(rect.bottom) + '\t' +
          ClassName(child) + '\t' + WindowText(child) + '\n');
    return TRUE;
}

int Children(HWND window) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    EnumChildWindows(window, &DescribeChild, 0);
    return kExitOk;
}

int Region(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    const int kind = GetWindowRgn(window, region) != ERROR ? GetRgnBox(region, &box) : ERROR;
    int inset = 0;
    while (box.left + inset < box.right && box.top + inset < box.bottom &&
           PtInRegion(region, box.left + inset, box.top + inset) == FALSE) {
        ++inset;
    }
    DeleteObject(region);
    if (kind == ERROR || kind == NULLREGION) return kExitNotFound;
    Write(std::to_string(box.left) + '\t' + std::to_string(box.top) + '\t' +
          std::to_string(box.right) + '\t' + std::to_string(box.bottom) + '\t' +
          std::to_string(inset) + '\n');
    return kExitOk;
}

// GetDpiForWindow and SetProcessDpiAwarenessContext are missing before Windows 10.
template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int Dpi(HWND window) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const HDC screen = GetDC(nullptr);
    const int system = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    Write(std::to_string(dpi) + '\t' + std::to_string(system) + '\n');
    return kExitOk;
}

int Drag(HWND window, int x1, int y1, int x2, int y2) {
    if (IsWindow(window) == FALSE) return kExitNotFound;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
    return kExitOk;
}

void BecomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (const auto setContext = User32Function<SetContextFn>("SetProcessDpiAwarenessContext")) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != FALSE) return;
    }
    if (const auto setAware = User32Function<BOOL(WINAPI*)()>("SetProcessDPIAware")) setAware();
}

bool IsComboBox(HWND control) { return ClassName(control) == "ComboBox"; }

int Items(HWND window, int id) {
    const HWND child = GetDlgItem(window, id);
    if (child == nullptr) return kExitNotFound;
    const bool combo = IsComboBox(child);
    const LRESULT count = SendMessageW(child, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(child, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length =
            SendMessageW(child, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
        if (length < 0) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(child, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        Write(std::to_string(i) + '\t' + (i == selected ? "1" : "0") + '\t' +
              quorrin::WideToUtf8(text) + '\n');
    }
    return kExitOk;
}

int State(HWND window, int id) {
    const HWND child = GetDlgItem(window, id);
    if (child == nullptr) return kExitNotFound;
    RECT rect{};
    GetWindowRect(child, &rect);
    const LRESULT checked = SendMessageW(child, BM_GETCHECK, 0, 0);
    Write(std::to_string(IsWindowEnabled(child) != FALSE ? 1 : 0) + '\t' +
          std::to_string(checked == BST_CHECKED ? 1 : 0) + '\t' +
          std::to_string(IsWindowVisible(child) != FALSE ? 1 : 0) + '\t' +
          std::to_string(rect.left) + '\t' + std::to_string(rect.top) + '\t' +
          std::to_string(rect.right) + '\t' + std::to_string(rect.bottom) + '\n');
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

int Notify(HWND window, int id, unsigned code) {
    const HWND child = GetDlgItem(window, id);
    if (child == nullptr) return kExitNotFound;
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, code),
                        reinterpret_cast<LPARAM>(child)) != FALSE
               ? kExitOk
               : kExitNotFound;
}

int Select(HWND window, int id, long row) {
    const HWND child = GetDlgItem(window, id);
    if (child == nullptr) return kExitNotFound;
    const bool combo = IsComboBox(child);
    const LRESULT chosen =
        SendMessageW(child, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    if (chosen == (combo ? CB_ERR : LB_ERR)) return kExitNotFound;
    return Notify(window, id, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
}

int Focus(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) == FALSE ||
        thread.hwndFocus == nullptr || IsChild(window, thread.hwndFocus) == FALSE) {
        return kExitNotFound;
    }
    Write(std::to_string(GetDlgCtrlID(thread.hwndFocus)) + '\t' + ClassName(thread.hwndFocus) +
          '\n');
    return kExitOk;
}

int Broadcast(const std::wstring& name) {
    const UINT message = RegisterWindowMessageW(name.c_str());
    if (message == 0) return kExitUsage;
    return PostMessageW(HWND_BROADCAST, message, 0, 0) != FALSE ? kExitOk : kExitNotFound;
}

int Clipboard() {
    if (OpenClipboard(nullptr) == FALSE) return kExitNotFound;
    std::wstring text;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (chars != nullptr) {
        text.assign(chars, wcsnlen(chars, kMaxTextChars));
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (chars == nullptr) return kExitNotFound;
    Write(quorrin::WideToUtf8(text) + "\n");
    return kExitOk;
}

int Usage() {
    Write(
        "wininfo.exe list [--class NAME] [--title TEXT] [--pid N] [--visible]\n"
        "wininfo.exe text HWND | close HWND | endsession HWND | command HWND ID | click HWND ID\n"
        "wininfo.exe settext HWND ID TEXT | items HWND ID | state HWND ID\n"
        "wininfo.exe select HWND ID N | notify HWND ID CODE\n"
        "wininfo.exe children HWND | region HWND | dpi HWND | alpha HWND | focus HWND\n"
        "wininfo.exe drag HWND X1 Y1 X2 Y2 | broadcast NAME | clipboard\n");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    BecomeDpiAware();
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    const std::vector<std::wstring> rest(argv + 2, argv + argc);
    if (command == L"list") {
        const int result = List(rest);
        return result == kExitUsage ? Usage() : result;
    }
    if (command == L"clipboard" && rest.empty()) return Clipboard();
    if (rest.empty()) return Usage();
    if (command == L"broadcast" && rest.size() == 1) return Broadcast(rest[0]);
    const std::optional<HWND> window = ParseHandle(rest[0].c_str());
    if (!window) return Usage();
    if (command == L"text" && rest.size() == 1) return Text(*window);
    if (command == L"close" && rest.size() == 1) return Post(*window, WM_CLOSE, 0);
    // Windows shutting down, as the system tells a top-level window.
    if (command == L"endsession" && rest.size() == 1) return Post(*window, WM_ENDSESSION, TRUE);
    if (command == L"children" && rest.size() == 1) return Children(*window);
    if (command == L"region" && rest.size() == 1) return Region(*window);
    if (command == L"dpi" && rest.size() == 1) return Dpi(*window);
    if (command == L"drag" && rest.size() == 5) {
        const auto at = [&](size_t i) {
            return static_cast<int>(std::wcstol(rest[i].c_str(), nullptr, 0));
        };
        return Drag(*window, at(1), at(2), at(3), at(4));
    }
    if (command == L"alpha" && rest.size() == 1) return Alpha(*window);
    if (command == L"focus" && rest.size() == 1) return Focus(*window);
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
    if (command == L"items" && rest.size() == 2) return Items(*window, childId());
    if (command == L"state" && rest.size() == 2) return State(*window, childId());
    if (command == L"select" && rest.size() == 3) {
        return Select(*window, childId(), std::wcstol(rest[2].c_str(), nullptr, 0));
    }
    if (command == L"notify" && rest.size() == 3) {
        return Notify(*window, childId(), std::wcstoul(rest[2].c_str(), nullptr, 0));
    }
    return Usage();
}
