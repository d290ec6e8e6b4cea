#include "countdown/countdown_engine.h"

#include <algorithm>
#include <cstdio>

namespace quorrin {

namespace {
constexpr uint8_t kBlinkCycle = 10;
// Before the time of a paused clock; plain ASCII, which every font of the clock has.
constexpr const char* kPauseMark = "||";

// Whether the current mode stores a resume point for the slot: the shared timing's slot 0,
// or a presentation's slot 1..100.
bool HoldsResumePoint(const AppState& state, int32_t slot) {
    if (state.General.SameMode) return slot == 0;
    return slot >= 1 && state.Presentations.At(slot) != nullptr;
}
}  // namespace

std::string RemainingTimeText(int32_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60));
    return text;
}

// Built by appending: mingw's g++ 12 warns (-Wrestrict) wrongly on `"..." + std::string`.
std::string OvertimeText(int32_t seconds) {
    std::string text = "-";
    text += RemainingTimeText(seconds);
    return text;
}

std::string PausedText(const std::string& time) {
    std::string text = kPauseMark;
    text += time;
    return text;
}

ClockTone ClockToneFor(const TalkSettings& talk, const CountdownState& countdown, bool overtime) {
    if (overtime) return ClockTone::Overtime;
    if (talk.Colors && countdown.WarningSeconds > 0 &&
        countdown.RemainingSeconds <= countdown.WarningSeconds) {
        return ClockTone::Warning;
    }
    return ClockTone::Normal;
}

int32_t AdjustedRemainingSeconds(int32_t remaining, int32_t seconds) {
    return std::max(remaining + seconds, std::min(remaining, kLeastAdjustedSeconds));
}

void CountdownEngine::Start(Millis now) {
    CountdownState& c = state_.Countdown;
    const GeneralSettings& g = state_.General;
    if (g.ResetTime) {
        c.RemainingSeconds = c.TotalSeconds;
    } else {
        const PresentationSlot* slot = state_.Presentations.At(c.CurrentSlot);
        c.RemainingSeconds = slot != nullptr ? slot->TimeFree : 0;
        // Under the shared timing, a different presentation starts afresh.
        if (g.SameMode && c.TitleChanged) c.RemainingSeconds = c.TotalSeconds;
        // A countdown that had run out starts afresh.
        if (c.RemainingSeconds == 0) c.RemainingSeconds = c.TotalSeconds;
    }
    lastWarnedAt_ = 0;
    clockUp_ = true;
    paused_ = false;
    hiddenByPresenter_ = false;
    overtimeSeconds_ = 0;
    ShowRemainingTime();
    view_.LayoutWindows();
    view_.ShowWindows();
    view_.SetClockUp(true);
    // Any other time mode holds the starting time until the show goes.
    if (g.TimeMode != 0) return;
    counting_ = true;
    startedAt_ = now;
    stepsDone_ = 0;
    view_.ArmStepTimer(startedAt_ + kCountdownStepMs);
}

void CountdownEngine::Stop() {
    counting_ = false;
    clockUp_ = false;
    paused_ = false;
    view_.StopStepTimer();
    StopFlash();
    view_.HideWindows();
    view_.SetClockUp(false);
}

void CountdownEngine::StopFlash() {
    flashing_ = false;
    view_.SetFlashTimer(false);
}

void CountdownEngine::OnStepTimer(Millis now) {
    if (!counting_ || paused_) return;
    // Step k is due at start + k seconds, however late this timer message arrived.
    while (counting_ && startedAt_ + (stepsDone_ + 1) * kCountdownStepMs <= now) {
        ++stepsDone_;
        if (!Step()) return;
    }
    if (counting_) {
        view_.KeepOnTop();
        view_.ArmStepTimer(startedAt_ + (stepsDone_ + 1) * kCountdownStepMs);
    }
}

void CountdownEngine::SaveResumePoint() {
    const CountdownState& c = state_.Countdown;
    // A countdown whose presentation was removed from the settings meanwhile goes on
    // without storing a resume point, which would land on another presentation.
    if (HoldsResumePoint(state_, c.CurrentSlot)) {
        view_.SaveRemainingTime(state_.General.SameMode, c.CurrentSlot, c.RemainingSeconds);
        state_.Presentations.At(c.CurrentSlot)->TimeFree = c.RemainingSeconds;
    }
}

bool CountdownEngine::Step() {
    CountdownState& c = state_.Countdown;
    const GeneralSettings& g = state_.General;
    if (overtimeSeconds_ > 0) {
        // The resume point stays at zero, so the next show starts afresh.
        ++overtimeSeconds_;
        ShowRemainingTime();
        return true;
    }
    c.RemainingSeconds -= 1;
    if (c.RemainingSeconds >= 0) {
        ShowRemainingTime();
        SaveResumePoint();
        if (c.RemainingSeconds == c.WarningSeconds && c.WarningSeconds != lastWarnedAt_) {
            lastWarnedAt_ = c.WarningSeconds;
            if (g.WarningSound != kDefaultSound) view_.PlaySound(g.WarningSound);
            flashing_ = true;
            view_.SetFlashTimer(true);
        }
        return true;
    }
    return EndCountdown();
}

bool CountdownEngine::EndCountdown() {
    CountdownState& c = state_.Countdown;
    const GeneralSettings& g = state_.General;
    // A show closed at the end takes the clock with it, overtime or not.
    const bool closing = g.EndWarning && c.CloseAtEnd;
    const bool overtime = state_.Talk.Overtime && !closing;
    if (overtime) {
        StopFlash();
        c.RemainingSeconds = 0;
        overtimeSeconds_ = 1;
        ShowRemainingTime();
        if (!hiddenByPresenter_) view_.ShowWindows();
    } else {
        Stop();
    }
    if (g.EndWarning) {
        if (g.EndSound == kDefaultSound) {
            view_.Beep();
        } else {
            view_.PlaySound(g.EndSound);
        }
        if (c.CloseAtEnd) view_.CloseSlideShow();
    }
    return overtime;
}

void CountdownEngine::TogglePause(Millis now) {
    if (!counting_) return;
    paused_ = !paused_;
    if (paused_) {
        view_.StopStepTimer();
        // A flash would blink on for as long as the pause lasts.
        if (flashing_) {
            StopFlash();
            if (!hiddenByPresenter_) view_.ShowWindows();
        }
        if (overtimeSeconds_ == 0) SaveResumePoint();
    } else {
        startedAt_ = now;
        stepsDone_ = 0;
        view_.ArmStepTimer(startedAt_ + kCountdownStepMs);
    }
    ShowRemainingTime();
}

void CountdownEngine::AddTime(int32_t seconds) {
    if (!counting_) return;
    CountdownState& c = state_.Countdown;
    if (overtimeSeconds_ > 0) {
        if (seconds <= 0) return;
        overtimeSeconds_ = 0;
        c.RemainingSeconds = seconds;
    } else {
        c.RemainingSeconds = AdjustedRemainingSeconds(c.RemainingSeconds, seconds);
    }
    // Moved back above the warning second, the countdown warns again when it gets there.
    if (c.RemainingSeconds > c.WarningSeconds) {
        lastWarnedAt_ = 0;
        if (flashing_) {
            StopFlash();
            if (!hiddenByPresenter_) view_.ShowWindows();
        }
    }
    SaveResumePoint();
    ShowRemainingTime();
}

void CountdownEngine::ToggleHidden() {
    if (!clockUp_) return;
    hiddenByPresenter_ = !hiddenByPresenter_;
    if (hiddenByPresenter_) {
        view_.HideWindows();
    } else {
        view_.ShowWindows();
    }
}

void CountdownEngine::OnFlashTimer() {
    if (!flashing_) return;
    const CountdownState& c = state_.Countdown;
    blinkCounter_ = static_cast<uint8_t>((blinkCounter_ + 1) % kBlinkCycle);
    // The default warning sound is one beep a second.
    if (state_.General.WarningSound == kDefaultSound && blinkCounter_ % 2 == 1) view_.Beep();
    const bool warningOver = c.WarningSeconds - c.RemainingSeconds >= kWarningFlashSeconds;
    if (hiddenByPresenter_) {
        // The clock stays down; the flash still ends on time.
        if (warningOver) StopFlash();
    } else if (!view_.WindowsVisible()) {
        view_.ShowWindows();
        if (warningOver) StopFlash();
    } else if (c.FlashOnWarning) {
        view_.HideWindows();
    } else if (warningOver) {
        // Without flashing the windows simply stay; the beeping still ends.
        StopFlash();
    }
}

void CountdownEngine::ShowRemainingTime() {
    const CountdownState& c = state_.Countdown;
    const std::string time = overtimeSeconds_ > 0 ? OvertimeText(overtimeSeconds_)
                                                  : RemainingTimeText(c.RemainingSeconds);
    view_.ShowTime(paused_ ? PausedText(time) : time);
    view_.SetTone(ClockToneFor(state_.Talk, c, overtimeSeconds_ > 0));
}

}  // namespace quorrin
