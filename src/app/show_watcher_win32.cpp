#include "app/show_watcher_win32.h"

#include "clock/clock_view_win32.h"
#include "detection/show_watch.h"
#include "win32/debug_log_win32.h"

namespace quorrin {

namespace {

constexpr UINT_PTR kFallbackTimer = static_cast<UINT_PTR>(ClockTimer::Main);
constexpr UINT_PTR kHeldBackTimer = static_cast<UINT_PTR>(ClockTimer::Watch);

}  // namespace

bool ShowWatcher::Start(HWND window) {
    window_ = window;
    const bool reported = walk_.ReportChanges([this] { OnChange(); });
    if (!reported) LogDebug(L"slide-show watch", L"no window events: a pass every 100 ms");
    schedule_.emplace(reported);
    const auto intervalMs = static_cast<UINT>(schedule_->FallbackIntervalMs());
    if (SetTimer(window_, kFallbackTimer, intervalMs, nullptr) == 0) {
        LogLastError(L"SetTimer for the slide-show watch");
        return false;
    }
    // Events tell only what changes from now on: a show already up is found by this pass.
    OnChange();
    return true;
}

bool ShowWatcher::HandleMessage(UINT message) {
    if (message != kWatchPassMessage) return false;
    OnQueuedPassDue();
    return true;
}

void ShowWatcher::OnFallbackTimer() {
    if (schedule_ && schedule_->OnFallbackDue()) Pass();
}

void ShowWatcher::OnHeldBackTimer() {
    KillTimer(window_, kHeldBackTimer);
    OnQueuedPassDue();
}

void ShowWatcher::Stop() {
    if (!schedule_) return;
    schedule_->Stop();
    KillTimer(window_, kFallbackTimer);
    KillTimer(window_, kHeldBackTimer);
}

void ShowWatcher::OnChange() {
    if (!schedule_) return;
    const WatchRequest request = schedule_->OnChange(MonotonicNow());
    bool queued = true;
    switch (request.kind) {
        case WatchRequest::Kind::None:
            return;
        case WatchRequest::Kind::PassNow:
            queued = PostMessageW(window_, kWatchPassMessage, 0, 0) != FALSE;
            if (!queued) LogLastError(L"PostMessageW for a slide-show watch pass");
            break;
        case WatchRequest::Kind::PassIn:
            queued =
                SetTimer(window_, kHeldBackTimer, static_cast<UINT>(request.delayMs), nullptr) != 0;
            if (!queued) LogLastError(L"SetTimer for a held-back slide-show watch pass");
            break;
    }
    // Not queued: the fallback pass comes meanwhile.
    if (!queued) schedule_->QueueFailed();
}

void ShowWatcher::OnQueuedPassDue() {
    if (schedule_ && schedule_->OnQueuedPassDue(MonotonicNow())) Pass();
}

void ShowWatcher::Pass() {
    const WindowId show = FindSlideShow(state_, walk_);
    walk_.Track(show);
    const ShowChange change = UpdateShowActive(state_.Countdown, show);
    if (change == ShowChange::Started) session_.Begin();
    if (change == ShowChange::Ended) session_.End();
}

}  // namespace quorrin
