#include "app/show_session_win32.h"

#include "clock/monitors_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <vector>

namespace quorrin {

ShowSession::ShowSession(AppState& state, ClockView& view, const MainClockWindow& clock,
                         TrayIcon& tray)
    : state_(state), view_(view), clock_(clock), tray_(tray), engine_(state, view) {
    // An elevated show refuses the close at the end: the presenter is told to close it.
    view_.OnCloseRefused([this] { ShowBalloon(UiText(TextId::BalloonShowNotClosed)); });
}

void ShowSession::Begin() {
    LogDebug(L"slide show started", Utf8ToWide(state_.Countdown.LastShowTitle));
    // A monitor plugged in since the last show is used by this one.
    RecordMonitorWorkAreas(state_);
    engine_.Start(MonotonicNow());
    TakeKeys();
}

void ShowSession::End() {
    LogDebug(L"slide show ended", Utf8ToWide(state_.Countdown.LastShowTitle));
    Stop();
}

void ShowSession::Stop() {
    keys_.Release();
    engine_.Stop();
}

void ShowSession::TogglePause() { engine_.TogglePause(MonotonicNow()); }

void ShowSession::AddMinutes(int32_t minutes) { engine_.AddTime(minutes * kAdjustStepSeconds); }

void ShowSession::ToggleHidden() { engine_.ToggleHidden(); }

void ShowSession::OnShowKey(ShowKey key) {
    switch (key) {
        case ShowKey::Pause:
            TogglePause();
            break;
        case ShowKey::MinuteMore:
            AddMinutes(1);
            break;
        case ShowKey::MinuteLess:
            AddMinutes(-1);
            break;
        case ShowKey::Hide:
            ToggleHidden();
            break;
    }
}

void ShowSession::OnStepTimer() { engine_.OnStepTimer(MonotonicNow()); }

void ShowSession::OnFlashTimer() { engine_.OnFlashTimer(); }

void ShowSession::OnFallbackTick() {
    if (view_.StepTimerMissing()) engine_.OnStepTimer(MonotonicNow());
}

void ShowSession::RetakeKeysIfChanged() {
    if (state_.Countdown.ShowActive && state_.Talk != keysTakenWith_) TakeKeys();
}

void ShowSession::TakeKeys() {
    keys_.Release();
    keysTakenWith_ = state_.Talk;
    if (!state_.Talk.Keys) return;
    const std::vector<int32_t> taken = keys_.Register(clock_.Handle(), state_.Talk);
    if (taken.empty()) return;
    std::wstring names;
    for (const int32_t key : taken) {
        if (!names.empty()) names += UiText(TextId::KeyNameSeparator);
        names += Utf8ToWide(HotKeyToText(key));
    }
    ShowBalloon(UiText(TextId::BalloonKeysTaken) + names);
}

void ShowSession::ShowBalloon(const std::wstring& text) {
    tray_.ShowBalloon(UiText(TextId::AppName), text);
}

}  // namespace quorrin
