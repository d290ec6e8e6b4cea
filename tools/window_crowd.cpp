// A crowd of ordinary top-level windows, so that the slide-show detection has a realistic
// desktop to walk: editors, mail, file folders, with plain titles (some Chinese).
//
//   window-crowd.exe [--count N] [--visible] [--ready-flag PATH] [--retitle-per-second R]
//
// Creates N windows (300 unless given), hidden unless --visible (then small and cascaded).
// With --ready-flag it writes PATH once every window exists. With --retitle-per-second it
// retitles R of its windows a second, one after the other, as busy programs do (a clock in a
// title, a download's progress), and raises the name-change event Windows would raise (Wine
// raises none). It ends when any of its windows
// gets WM_CLOSE, with exit code 0.
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "command_line_args_win32.h"

#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kClassName = L"Quorrin.CrowdWindow";
constexpr int kDefaultCount = 300;
constexpr int kMaxCount = 5000;
constexpr int kWindowWidthPx = 240;
constexpr int kWindowHeightPx = 120;
constexpr int kCascadeStepPx = 7;
constexpr int kCascadeRows = 60;  // the cascade starts again at the top after this many
constexpr int kMaxRetitlesPerSecond = 1000;
constexpr UINT kMsPerSecond = 1000;
constexpr int kExitUsage = 2;
constexpr int kExitWindowFailed = 3;

// Title patterns of everyday windows; %d is the window's number.
constexpr const wchar_t* kTitlePatterns[] = {
    L"Quarterly report %d.docx - Word", L"Inbox (%d) - Mail",
    L"新建文本文档 %d.txt - 记事本",    L"C:\\Users\\presenter\\Documents\\Project %d",
    L"Budget %d.xlsx - Excel",          L"会议纪要 %d - 文件资源管理器",
    L"Build output %d - Terminal",      L"Search results for \"timer %d\" - Browser",
};

struct Options {
    int count = kDefaultCount;
    bool visible = false;
    std::wstring readyFlag;
    int retitlesPerSecond = 0;
};

bool ParseOptions(Options& options) {
    const std::vector<std::wstring> args = quorrin::CommandLineArgs();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == L"--visible") {
            options.visible = true;
        } else if (arg == L"--count" && hasValue) {
            options.count = static_cast<int>(std::wcstol(args[++i].c_str(), nullptr, 10));
            if (options.count < 1 || options.count > kMaxCount) return false;
        } else if (arg == L"--retitle-per-second" && hasValue) {
            options.retitlesPerSecond =
                static_cast<int>(std::wcstol(args[++i].c_str(), nullptr, 10));
            if (options.retitlesPerSecond < 1 || options.retitlesPerSecond > kMaxRetitlesPerSecond)
                return false;
        } else if (arg == L"--ready-flag" && hasValue) {
            options.readyFlag = args[++i];
        } else {
            return false;
        }
    }
    return true;
}

std::wstring TitleOf(int number) {
    constexpr size_t kPatternCount = sizeof(kTitlePatterns) / sizeof(kTitlePatterns[0]);
    wchar_t title[128] = {};
    std::swprintf(title, 128, kTitlePatterns[static_cast<size_t>(number) % kPatternCount], number);
    return title;
}

class CrowdWindow final : public quorrin::WindowBase {
  public:
    bool Create(HINSTANCE instance, int number, bool visible) {
        const std::wstring title = TitleOf(number);
        quorrin::WindowClassSpec windowClass;
        windowClass.className = kClassName;
        windowClass.background = GetSysColorBrush(COLOR_WINDOW);
        quorrin::WindowPlacement placement;
        placement.style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
        placement.title = title.c_str();
        const int step = (number % kCascadeRows) * kCascadeStepPx;
        placement.left = step;
        placement.top = step;
        placement.width = kWindowWidthPx;
        placement.height = kWindowHeightPx;
        return CreateFromSpec(instance, windowClass, placement);
    }

    // A new title made of the window's usual one and `counter`.
    void Retitle(int number, unsigned counter) {
        const std::wstring title = TitleOf(number) + L" (" + std::to_wstring(counter) + L")";
        SetWindowTextW(Handle(), title.c_str());
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_WINDOW, CHILDID_SELF);
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CLOSE:
                return OnClose();
            default:
                return DefaultHandling(message, wParam, lParam);
        }
    }

    // One close request ends the whole crowd; the windows go when their objects do.
    LRESULT OnClose() {
        PostQuitMessage(0);
        return 0;
    }
};

void WriteReadyFlag(const std::wstring& path) {
    const quorrin::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    static constexpr char kContent[] = "ready\r\n";
    DWORD written = 0;
    WriteFile(file.Get(), kContent, sizeof(kContent) - 1, &written, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Options options;
    if (!ParseOptions(options)) {
        MessageBoxW(nullptr,
                    L"window-crowd.exe [--count N] [--visible] [--ready-flag PATH] "
                    L"[--retitle-per-second R]",
                    L"window-crowd", MB_OK);
        return kExitUsage;
    }
    std::vector<std::unique_ptr<CrowdWindow>> crowd;
    crowd.reserve(static_cast<size_t>(options.count));
    for (int number = 1; number <= options.count; ++number) {
        auto window = std::make_unique<CrowdWindow>();
        if (!window->Create(instance, number, options.visible)) return kExitWindowFailed;
        crowd.push_back(std::move(window));
    }
    if (!options.readyFlag.empty()) WriteReadyFlag(options.readyFlag);
    MSG message{};
    // A thread timer: its WM_TIMER messages come with no window.
    if (options.retitlesPerSecond > 0) {
        SetTimer(nullptr, 0, kMsPerSecond / static_cast<UINT>(options.retitlesPerSecond), nullptr);
    }
    unsigned retitles = 0;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            const size_t next = retitles % crowd.size();
            crowd[next]->Retitle(static_cast<int>(next) + 1, ++retitles);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
