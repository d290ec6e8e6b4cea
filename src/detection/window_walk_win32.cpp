#include "detection/window_walk_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/frame_guard_win32.h"
#include "win32/wide_text_win32.h"

#include <algorithm>
#include <utility>

namespace quorrin {

namespace {

// The walks of this thread by their hooks, for the event callback, which gets no context.
// Out-of-context events are delivered on the thread that set the hook.
thread_local std::vector<std::pair<HWINEVENTHOOK, DesktopWindowWalk*>> walkHooks;

// Whether `window` is a top-level window, or the desktop itself (whose children's order an
// EVENT_OBJECT_REORDER may report).
bool IsTopLevelOrDesktop(HWND window) {
    const HWND desktop = GetDesktopWindow();
    return window == desktop || GetAncestor(window, GA_PARENT) == desktop;
}

BOOL CALLBACK AddToList(HWND window, LPARAM list) {
    // Out of memory, the walk stops where it got to; the next pass lists the windows anew.
    return GuardFrame(
        L"AddToList",
        [&] {
            reinterpret_cast<std::vector<WindowId>*>(list)->push_back(ToWindowId(window));
            return TRUE;
        },
        FALSE);
}

// The top-level windows of `desktop` in Z order, top first. EnumDesktopWindows lists the same
// windows as EnumWindows, but Wine's EnumWindows asks its server whether each window still
// exists before the callback, one request per window, as costly as the walk by GetWindow it
// replaces; EnumDesktopWindows takes the list in one or two requests. (Given no desktop, Wine
// would add the message-only windows.)
void ListTopLevelWindows(HDESK desktop, std::vector<WindowId>& list) {
    list.clear();
    const auto target = reinterpret_cast<LPARAM>(&list);
    if (desktop != nullptr && EnumDesktopWindows(desktop, AddToList, target)) return;
    list.clear();
    EnumWindows(AddToList, target);
}

}  // namespace

std::string ReadWindowTitle(HWND window) {
    wchar_t buffer[kTitleBufferChars] = {};
    const int length = GetWindowTextW(window, buffer, kTitleBufferChars);
    if (length <= 0) return {};
    return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length)));
}

std::string ReadWindowClass(HWND window) {
    wchar_t buffer[kClassBufferChars] = {};
    const int length = GetClassNameW(window, buffer, kClassBufferChars);
    if (length <= 0) return {};
    return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length)));
}

std::string ReadWindowProgram(HWND window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0 || processId == 0) return {};
    // The limited right is granted for other users' and elevated processes too.
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    // Most paths fit the first buffer; a longer one is read again into the largest.
    std::wstring path;
    for (const DWORD size : {kProgramPathFirstChars, kProgramPathLongestChars}) {
        path.assign(size, L'\0');
        DWORD length = size;
        if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length)) {
            path.resize(length);
            break;
        }
        path.clear();
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    if (path.empty()) return {};
    const size_t slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? std::wstring_view(path)
                                                  : std::wstring_view(path).substr(slash + 1));
}

std::optional<WindowScreen> ReadWindowScreen(HWND window) {
    if (!IsWindowVisible(window) || IsIconic(window)) return std::nullopt;
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return std::nullopt;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
    return WindowScreen{PixelRectOf(rect), PixelRectOf(info.rcMonitor)};
}

DesktopWindowWalk::DesktopWindowWalk() : desktop_(GetThreadDesktop(GetCurrentThreadId())) {
    AddHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE);
    if (hooks_.empty()) {
        // Titles are still re-read in the rotation; a retitled window is only seen later.
        LogDebug(L"DesktopWindowWalk", L"SetWinEventHook(EVENT_OBJECT_NAMECHANGE) failed");
    }
}

DesktopWindowWalk::~DesktopWindowWalk() {
    std::erase_if(walkHooks, [this](const auto& item) { return item.second == this; });
}

void DesktopWindowWalk::AddHook(DWORD firstEvent, DWORD lastEvent) {
    UniqueWinEventHook hook(SetWinEventHook(
        firstEvent, lastEvent, nullptr, &DesktopWindowWalk::OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    if (!hook) return;
    walkHooks.emplace_back(hook.Get(), this);
    hooks_.push_back(std::move(hook));
}

bool DesktopWindowWalk::ReportChanges(std::function<void()> changed) {
    if (changed_) {  // the hooks are there already
        changed_ = std::move(changed);
        return true;
    }
    const size_t before = hooks_.size();
    // Three ranges, so that the frequent events between them (location changes of every
    // caret and cursor, state and value changes of controls) are never delivered here.
    AddHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND);
    AddHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_REORDER);
    if (hooks_.size() != before + 2) {
        LogLastError(L"SetWinEventHook for the desktop's windows");
        while (hooks_.size() > before) {
            std::erase_if(walkHooks,
                          [&](const auto& item) { return item.first == hooks_.back().Get(); });
            hooks_.pop_back();
        }
        return false;
    }
    changed_ = std::move(changed);
    // Under Wine a thread that existed before the hooks were set may not raise its events
    // until it next receives a message: give every top-level window one.
    PostMessageW(HWND_BROADCAST, WM_NULL, 0, 0);
    return true;
}

void DesktopWindowWalk::Track(WindowId show) {
    tracked_ = show;
    titles_.Track(show);
}

void CALLBACK DesktopWindowWalk::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window,
                                         LONG objectId, LONG childId, DWORD /*thread*/,
                                         DWORD /*timeMs*/) {
    // The window itself, not a part inside it.
    if (window == nullptr || objectId != OBJID_WINDOW || childId != CHILDID_SELF) return;
    for (const auto& [walkHook, walk] : walkHooks) {
        if (walkHook == hook) {
            // An event lost to an exception is made good by the watch's fallback pass.
            GuardFrame(L"WinEvent callback", [&] { walk->OnWindowEvent(event, window); });
            return;
        }
    }
}

// May run inside a pass (a window call made by the pass can deliver events): it only marks
// what the next pass must do and asks for that pass.
void DesktopWindowWalk::OnWindowEvent(DWORD event, HWND window) {
    const WindowId id = ToWindowId(window);
    bool topLevel = false;
    if (event == EVENT_OBJECT_DESTROY) {
        // The window may be gone already, so no window call: only the show counts.
        if (id == 0 || id != tracked_) return;
        destroyed_ = id;
        topLevel = true;
    } else if (event == EVENT_OBJECT_NAMECHANGE) {
        // Only listed (top-level) windows are in the cache.
        topLevel = titles_.Invalidate(id);
    }
    if (!changed_) return;
    if (topLevel || IsTopLevelOrDesktop(window)) changed_();
}

bool DesktopWindowWalk::RotateThisPass() {
    // Without events every pass rotates, as the passes then come at a steady pace.
    if (!changed_) return true;
    const ULONGLONG now = GetTickCount64();
    if (lastRotationMs_ != 0 && now - lastRotationMs_ < kRotationIntervalMs) return false;
    lastRotationMs_ = now;
    return true;
}

WindowId DesktopWindowWalk::First() {
    ListTopLevelWindows(desktop_, list_);
    // Until the destroyed show has left the list, it stays out of the passes.
    if (destroyed_ != 0 && std::erase(list_, destroyed_) == 0) destroyed_ = 0;
    titles_.Update(list_, RotateThisPass());
    cursor_ = 0;
    return titles_.Size() == 0 ? 0 : titles_.At(0).window;
}

WindowId DesktopWindowWalk::Next(WindowId window) {
    const size_t position = PositionOf(window);
    if (position >= titles_.Size()) return 0;
    cursor_ = position + 1;
    return cursor_ < titles_.Size() ? titles_.At(cursor_).window : 0;
}

std::string DesktopWindowWalk::Title(WindowId window) {
    const size_t position = PositionOf(window);
    const auto read = [](WindowId id) { return ReadWindowTitle(ToHwnd(id)); };
    if (position >= titles_.Size()) return read(window);
    cursor_ = position;
    return titles_.TitleAt(position, read);
}

std::string DesktopWindowWalk::ClassName(WindowId window) {
    const size_t position = PositionOf(window);
    const auto read = [](WindowId id) { return ReadWindowClass(ToHwnd(id)); };
    if (position >= titles_.Size()) return read(window);
    return titles_.ClassAt(position, read);
}

std::string DesktopWindowWalk::ProgramName(WindowId window) {
    const size_t position = PositionOf(window);
    const auto read = [](WindowId id) { return ReadWindowProgram(ToHwnd(id)); };
    if (position >= titles_.Size()) return read(window);
    return titles_.ProgramAt(position, read);
}

std::optional<WindowScreen> DesktopWindowWalk::Screen(WindowId window) {
    return ReadWindowScreen(ToHwnd(window));
}

size_t DesktopWindowWalk::PositionOf(WindowId window) const {
    if (cursor_ < titles_.Size() && titles_.At(cursor_).window == window) return cursor_;
    for (size_t i = 0; i < titles_.Size(); ++i) {
        if (titles_.At(i).window == window) return i;
    }
    return titles_.Size();
}

}  // namespace quorrin
