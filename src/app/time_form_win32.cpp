#include "app/time_form_win32.h"

#include "app/app_resources_win32.h"
#include "app/debug_log_win32.h"
#include "app/show_watch.h"
#include "app/wide_text_win32.h"

namespace quorrin {

namespace {

constexpr UINT_PTR TimerId(TimeFormTimer timer) { return static_cast<UINT_PTR>(timer); }

}  // namespace

TimeForm::TimeForm(AppState& state, WindowWalk& walk) : state_(state), walk_(walk) {}

TimeForm::~TimeForm() {
    if (Handle() != nullptr) KillTimer(Handle(), TimerId(TimeFormTimer::Main));
}

bool TimeForm::Create(HINSTANCE instance) {
    WindowClassSpec windowClass;
    windowClass.className = kTimeFormClassName;
    windowClass.icon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
    WindowPlacement placement;
    // A tool window gets no task-bar button; without WS_VISIBLE it starts hidden.
    placement.exStyle = WS_EX_TOOLWINDOW;
    placement.style = WS_POPUP;
    placement.title = L"Quorrin";
    if (!CreateFromSpec(instance, windowClass, placement)) return false;
    if (SetTimer(Handle(), TimerId(TimeFormTimer::Main), kMainTimerIntervalMs, nullptr) == 0) {
        LogLastError(L"SetTimer for the slide-show watch");
        return false;
    }
    return true;
}

LRESULT TimeForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_CLOSE:
            return OnClose();
        case WM_ENDSESSION:
            return OnEndSession(wParam);
        case WM_DESTROY:
            return OnDestroy();
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT TimeForm::OnTimer(WPARAM timerId) {
    if (timerId == TimerId(TimeFormTimer::Main)) MainTimer();
    return 0;
}

LRESULT TimeForm::OnClose() {
    DestroyWindow(Handle());
    return 0;
}

LRESULT TimeForm::OnEndSession(WPARAM ending) {
    // The session ends without further messages once this returns: leave now.
    if (ending != FALSE) DestroyWindow(Handle());
    return 0;
}

LRESULT TimeForm::OnDestroy() {
    KillTimer(Handle(), TimerId(TimeFormTimer::Main));
    PostQuitMessage(0);
    return 0;
}

void TimeForm::MainTimer() {
    const WindowId show = FindSlideShow(state_, walk_);
    switch (UpdateShowActive(state_.Countdown, show)) {
        case ShowChange::Started:
            OnShowStarted();
            break;
        case ShowChange::Ended:
            OnShowEnded();
            break;
        case ShowChange::None:
            break;
    }
}

void TimeForm::OnShowStarted() {
    LogDebug(L"slide show started", Utf8ToWide(state_.Countdown.LastShowTitle));
}

void TimeForm::OnShowEnded() {
    LogDebug(L"slide show ended", Utf8ToWide(state_.Countdown.LastShowTitle));
}

}  // namespace quorrin
