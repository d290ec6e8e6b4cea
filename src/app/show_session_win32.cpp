#include "app/show_session_win32.h"

#include "clock/monitors_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <optional>
#include <vector>

namespace quorrin {

namespace {

// Whether talks are recorded in History.csv ([Talk] History, on unless turned off).
bool RecordsTalks(const AppState& state) { return state.Talk.History; }

}  // namespace

ShowSession::ShowSession(AppState& state, ClockView& view, const MainClockWindow& clock,
                         TrayIcon& tray, std::string_view configFolder)
    : state_(state),
      view_(view),
      clock_(clock),
      tray_(tray),
      engine_(state, view),
      history_(configFolder) {
    // An elevated show refuses the close at the end: the presenter is told to close it.
    view_.OnCloseRefused([this] { ShowBalloon(UiText(TextId::BalloonShowNotClosed)); });
}

void ShowSession::Begin() {
    LogDebug(L"slide show started", Utf8ToWide(state_.Countdown.LastShowTitle));
    // A monitor plugged in since the last show is used by this one.
    RecordMonitorWorkAreas(state_);
    const Millis now = MonotonicNow();
    engine_.Start(now);
    recorder_.Begin(now, TalkStartOf(state_, LocalTimeNow()));
    TakeKeys();
    changed_();
}

void ShowSession::End() {
    LogDebug(L"slide show ended", Utf8ToWide(state_.Countdown.LastShowTitle));
    Finish(TalkEnd::ShowEnded);
}

void ShowSession::Stop() { Finish(TalkEnd::ProgramExit); }

void ShowSession::Finish(TalkEnd end) {
    keys_.Release();
    engine_.Stop();
    const std::optional<HistoryRow> row = recorder_.Finish(MonotonicNow(), end);
    if (row && history_.Write(*row, RecordsTalks(state_))) {
        ShowBalloon(UiText(TextId::BalloonHistoryNotWritten));
    }
    changed_();
}

void ShowSession::TogglePause() {
    const Millis now = MonotonicNow();
    engine_.TogglePause(now);
    recorder_.SetPaused(now, engine_.Paused());
    changed_();
}

void ShowSession::AddSeconds(int32_t seconds) {
    engine_.AddTime(seconds);
    changed_();
}

void ShowSession::ToggleHidden() {
    engine_.ToggleHidden();
    changed_();
}

void ShowSession::OnShowKey(ShowKey key) {
    switch (key) {
        case ShowKey::Pause:
            TogglePause();
            break;
        case ShowKey::MinuteMore:
            AddSeconds(kAdjustStepSeconds);
            break;
        case ShowKey::MinuteLess:
            AddSeconds(-kAdjustStepSeconds);
            break;
        case ShowKey::Hide:
            ToggleHidden();
            break;
    }
}

void ShowSession::OnStepTimer() { StepTo(MonotonicNow()); }

void ShowSession::StepTo(Millis now) {
    engine_.OnStepTimer(now);
    if (recorder_.Following()) {
        recorder_.OnClockStep(engine_.OvertimeSeconds());
        // The countdown stopped by itself: the time ran out and the clock went.
        if (!engine_.Counting()) Finish(TalkEnd::TimeUp);
    }
    changed_();
}

void ShowSession::OnFlashTimer() { engine_.OnFlashTimer(); }

void ShowSession::OnFallbackTick() {
    if (view_.StepTimerMissing()) StepTo(MonotonicNow());
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
