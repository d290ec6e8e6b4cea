#include "detection/window_walk_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <utility>

namespace quorrin {

namespace {

// The walks of this thread by their hook, for the event callback, which gets no context.
// Out-of-context events are delivered on the thread that set the hook.
thread_local std::vector<std::pair<HWINEVENTHOOK, TitleCache*>> walkHooks;

BOOL CALLBACK AddToList(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<WindowId>*>(list)->push_back(ToWindowId(window));
    return TRUE;
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

DesktopWindowWalk::DesktopWindowWalk()
    : desktop_(GetThreadDesktop(GetCurrentThreadId())),
      nameChanges_(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                   &DesktopWindowWalk::OnNameChange, 0, 0, WINEVENT_OUTOFCONTEXT)) {
    if (nameChanges_) {
        walkHooks.emplace_back(nameChanges_.Get(), &titles_);
    } else {
        // Titles are still re-read in the rotation; a retitled window is only seen later.
        LogDebug(L"DesktopWindowWalk", L"SetWinEventHook(EVENT_OBJECT_NAMECHANGE) failed");
    }
}

DesktopWindowWalk::~DesktopWindowWalk() {
    std::erase_if(walkHooks, [this](const auto& item) { return item.second == &titles_; });
}

void CALLBACK DesktopWindowWalk::OnNameChange(HWINEVENTHOOK hook, DWORD /*event*/, HWND window,
                                              LONG objectId, LONG childId, DWORD /*thread*/,
                                              DWORD /*timeMs*/) {
    // The window's own name, not that of a part inside it; only listed (top-level) windows
    // are in the cache.
    if (window == nullptr || objectId != OBJID_WINDOW || childId != CHILDID_SELF) return;
    for (const auto& [walkHook, titles] : walkHooks) {
        if (walkHook == hook) titles->Invalidate(ToWindowId(window));
    }
}

WindowId DesktopWindowWalk::First() {
    ListTopLevelWindows(desktop_, list_);
    titles_.Update(list_, [](WindowId window) { return ReadWindowTitle(ToHwnd(window)); });
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
    if (position >= titles_.Size()) return ReadWindowTitle(ToHwnd(window));
    cursor_ = position;
    return titles_.At(position).title;
}

size_t DesktopWindowWalk::PositionOf(WindowId window) const {
    if (cursor_ < titles_.Size() && titles_.At(cursor_).window == window) return cursor_;
    for (size_t i = 0; i < titles_.Size(); ++i) {
        if (titles_.At(i).window == window) return i;
    }
    return titles_.Size();
}

}  // namespace quorrin
