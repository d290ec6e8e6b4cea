// A stand-in for a presentation program's slide show: one window whose title carries the
// slide-show marker and a presentation name, painted like a slide.
//
//   slideshow-sim.exe [--windowed] [--closed-flag PATH] [--screen-class] [--class NAME]
//                     [--notify] [--retitle-after MS TITLE] [--hold-key KEY]
//                     [--monitor N] [title]
//
// Full screen on the primary monitor unless --windowed or --monitor. It ends on WM_CLOSE (or Esc,
// as a show does) by hiding and destroying its window, with exit code 0; with --closed-flag it
// first writes PATH, so a test can tell a close request from the process being killed.
//   --screen-class   the window class of PowerPoint's show, "screenClass", and (unless a
//                    title is given) the English title "PowerPoint Slide Show - talk.pptx"
//   --class NAME     registers and uses the window class NAME instead (e.g. a generic
//                    toolkit class, as WPS Presentation's show has)
//   --notify         raises after each of its changes the event Windows raises itself
//                    (NotifyWinEvent: show, name change, hide, destroy), which Wine does not
//   --retitle-after MS TITLE   sets TITLE MS milliseconds after the start
//   --hold-key KEY   holds a global key (KEY: the modifiers times 256 plus the virtual-key
//                    code, as 0x0748), as another program would
//   --monitor N      full screen on the Nth monitor in the system's order, from 1 (the
//                    primary one when there is no such monitor)
#include "win32/gdi_scope_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "command_line_args_win32.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const wchar_t* kClassName = L"Quorrin.SlideShowSim";
constexpr const wchar_t* kScreenClassName = L"screenClass";
constexpr const wchar_t* kDefaultTitle = L"PowerPoint 幻灯片放映 - talk.pptx";
constexpr const wchar_t* kEnglishTitle = L"PowerPoint Slide Show - talk.pptx";
constexpr UINT_PTR kRetitleTimerId = 1;
constexpr int kWindowedLeftPx = 80;
constexpr int kWindowedTopPx = 60;
constexpr int kWindowedWidthPx = 800;
constexpr int kWindowedHeightPx = 600;
constexpr COLORREF kSlideBackground = RGB(24, 32, 56);
constexpr COLORREF kSlideText = RGB(240, 240, 240);
constexpr int kTextHeightDivisor = 12;  // text height = client height / this
constexpr int kTextMarginDivisor = 16;  // side margins = client width / this
constexpr int kExitUsage = 2;
constexpr int kExitWindowFailed = 3;

struct Options {
    bool windowed = false;
    bool screenClass = false;
    bool notify = false;
    std::wstring className;
    std::wstring closedFlag;
    std::wstring title;
    UINT retitleAfterMs = 0;
    std::wstring laterTitle;
    UINT heldKey = 0;
    size_t monitor = 0;  // from 1; 0 for the primary monitor
};

BOOL CALLBACK AddMonitorRect(HMONITOR, HDC, LPRECT rect, LPARAM rects) {
    reinterpret_cast<std::vector<RECT>*>(rects)->push_back(*rect);
    return TRUE;
}

// The whole area of the Nth monitor (from 1), or of the primary one.
RECT MonitorRect(size_t monitor) {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitorRect, reinterpret_cast<LPARAM>(&rects));
    if (monitor >= 1 && monitor <= rects.size()) return rects[monitor - 1];
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool ParseOptions(Options& options) {
    const std::vector<std::wstring> args = quorrin::CommandLineArgs();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--windowed") {
            options.windowed = true;
        } else if (arg == L"--closed-flag" && i + 1 < args.size()) {
            options.closedFlag = args[++i];
        } else if (arg == L"--screen-class") {
            options.screenClass = true;
        } else if (arg == L"--class" && i + 1 < args.size()) {
            options.className = args[++i];
        } else if (arg == L"--notify") {
            options.notify = true;
        } else if (arg == L"--retitle-after" && i + 2 < args.size()) {
            options.retitleAfterMs =
                static_cast<UINT>(std::wcstoul(args[++i].c_str(), nullptr, 10));
            options.laterTitle = args[++i];
        } else if (arg == L"--hold-key" && i + 1 < args.size()) {
            options.heldKey = static_cast<UINT>(std::wcstoul(args[++i].c_str(), nullptr, 0));
        } else if (arg == L"--monitor" && i + 1 < args.size()) {
            options.monitor = std::wcstoul(args[++i].c_str(), nullptr, 10);
        } else if (arg.rfind(L"--", 0) == 0) {
            return false;
        } else {
            options.title = arg;
        }
    }
    if (options.title.empty()) options.title = options.screenClass ? kEnglishTitle : kDefaultTitle;
    return true;
}

class SlideShowWindow final : public quorrin::WindowBase {
  public:
    explicit SlideShowWindow(Options options) : options_(std::move(options)) {}

    bool Create(HINSTANCE instance) {
        quorrin::WindowClassSpec windowClass;
        windowClass.className = !options_.className.empty() ? options_.className.c_str()
                                : options_.screenClass      ? kScreenClassName
                                                            : kClassName;
        quorrin::WindowPlacement placement;
        placement.style = WS_POPUP | WS_VISIBLE;
        placement.title = options_.title.c_str();
        if (options_.windowed) {
            placement.left = kWindowedLeftPx;
            placement.top = kWindowedTopPx;
            placement.width = kWindowedWidthPx;
            placement.height = kWindowedHeightPx;
        } else {
            const RECT screen = MonitorRect(options_.monitor);
            placement.left = screen.left;
            placement.top = screen.top;
            placement.width = screen.right - screen.left;
            placement.height = screen.bottom - screen.top;
        }
        if (!CreateFromSpec(instance, windowClass, placement)) return false;
        Notify(EVENT_OBJECT_SHOW);
        if (!options_.laterTitle.empty()) {
            SetTimer(Handle(), kRetitleTimerId, options_.retitleAfterMs, nullptr);
        }
        if (options_.heldKey != 0) {
            constexpr int kHeldKeyId = 1;
            RegisterHotKey(Handle(), kHeldKeyId, options_.heldKey >> 8, options_.heldKey & 0xFF);
        }
        return true;
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT:
                return OnPaint();
            case WM_ERASEBKGND:
                return TRUE;  // WM_PAINT fills every pixel
            case WM_KEYDOWN:
                return OnKeyDown(wParam);
            case WM_TIMER:
                return OnRetitleTimer();
            case WM_CLOSE:
                return OnClose();
            case WM_DESTROY:
                return OnDestroy();
            default:
                return DefaultHandling(message, wParam, lParam);
        }
    }

    LRESULT OnPaint() {
        quorrin::PaintScope paint(Handle());
        RECT client{};
        GetClientRect(Handle(), &client);
        const quorrin::UniqueBrush background(CreateSolidBrush(kSlideBackground));
        FillRect(paint.Dc(), &client, background.Get());

        const int height = client.bottom - client.top;
        const int margin = (client.right - client.left) / kTextMarginDivisor;
        LOGFONTW font{};
        font.lfHeight = -(height / kTextHeightDivisor);
        font.lfWeight = FW_BOLD;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, L"Microsoft YaHei", LF_FACESIZE);
        const quorrin::UniqueFont face(CreateFontIndirectW(&font));
        quorrin::ScopedSelectObject selected(paint.Dc(), face.Get());
        SetBkMode(paint.Dc(), TRANSPARENT);
        SetTextColor(paint.Dc(), kSlideText);

        // Centre the wrapped title vertically: measure first, then draw.
        RECT text{client.left + margin, 0, client.right - margin, 0};
        DrawTextW(paint.Dc(), options_.title.c_str(), -1, &text,
                  DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
        const int textHeight = text.bottom - text.top;
        text.left = client.left + margin;
        text.right = client.right - margin;
        text.top = client.top + (height - textHeight) / 2;
        text.bottom = text.top + textHeight;
        DrawTextW(paint.Dc(), options_.title.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK);
        return 0;
    }

    LRESULT OnKeyDown(WPARAM key) {
        if (key == VK_ESCAPE) PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return 0;
    }

    LRESULT OnRetitleTimer() {
        KillTimer(Handle(), kRetitleTimerId);
        options_.title = options_.laterTitle;
        SetWindowTextW(Handle(), options_.title.c_str());
        Notify(EVENT_OBJECT_NAMECHANGE);
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    }

    LRESULT OnClose() {
        if (!options_.closedFlag.empty()) WriteClosedFlag();
        ShowWindow(Handle(), SW_HIDE);
        Notify(EVENT_OBJECT_HIDE);
        DestroyWindow(Handle());
        return 0;
    }

    LRESULT OnDestroy() {
        // Windows raises the destroy event while the window is being destroyed, as here.
        Notify(EVENT_OBJECT_DESTROY);
        PostQuitMessage(0);
        return 0;
    }

    void Notify(DWORD event) const {
        if (options_.notify) NotifyWinEvent(event, Handle(), OBJID_WINDOW, CHILDID_SELF);
    }

    void WriteClosedFlag() const {
        const quorrin::UniqueFile file(CreateFileW(options_.closedFlag.c_str(), GENERIC_WRITE, 0,
                                                   nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
        if (!file) return;
        static constexpr char kContent[] = "WM_CLOSE\r\n";
        DWORD written = 0;
        WriteFile(file.Get(), kContent, sizeof(kContent) - 1, &written, nullptr);
    }

    Options options_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Options options;
    if (!ParseOptions(options)) {
        MessageBoxW(
            nullptr,
            L"slideshow-sim.exe [--windowed] [--closed-flag PATH] [--screen-class] "
            L"[--class NAME] [--notify] [--retitle-after MS TITLE] [--hold-key KEY] [title]",
            L"slideshow-sim", MB_OK);
        return kExitUsage;
    }
    SlideShowWindow window(std::move(options));
    if (!window.Create(instance)) return kExitWindowFailed;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
