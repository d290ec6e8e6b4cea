#include "countdown/countdown_engine.h"

#include <cstdio>

namespace quorrin {

namespace {
constexpr uint8_t kBlinkCycle = 10;

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
    ShowRemainingTime();
    view_.LayoutWindows();
    view_.ShowWindows();
    // Any other time mode holds the starting time until the show goes.
    if (g.TimeMode != 0) return;
    counting_ = true;
    startedAt_ = now;
    stepsDone_ = 0;
    view_.ArmStepTimer(startedAt_ + kCountdownStepMs);
}

void CountdownEngine::Stop() {
    counting_ = false;
    view_.StopStepTimer();
    StopFlash();
    view_.HideWindows();
}

void CountdownEngine::StopFlash() {
    flashing_ = false;
    view_.SetFlashTimer(false);
}

void CountdownEngine::OnStepTimer(Millis now) {
    if (!counting_) return;
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

bool CountdownEngine::Step() {
    CountdownState& c = state_.Countdown;
    const GeneralSettings& g = state_.General;
    c.RemainingSeconds -= 1;
    if (c.RemainingSeconds >= 0) {
        ShowRemainingTime();
        // A countdown whose presentation was removed from the settings meanwhile goes on
        // without storing a resume point, which would land on another presentation.
        if (HoldsResumePoint(state_, c.CurrentSlot)) {
            view_.SaveRemainingTime(g.SameMode, c.CurrentSlot, c.RemainingSeconds);
            state_.Presentations.At(c.CurrentSlot)->TimeFree = c.RemainingSeconds;
        }
        if (c.RemainingSeconds == c.WarningSeconds && c.WarningSeconds != lastWarnedAt_) {
            lastWarnedAt_ = c.WarningSeconds;
            if (g.WarningSound != kDefaultSound) view_.PlaySound(g.WarningSound);
            flashing_ = true;
            view_.SetFlashTimer(true);
        }
        return true;
    }
    Stop();
    if (g.EndWarning) {
        if (g.EndSound == kDefaultSound) {
            view_.Beep();
        } else {
            view_.PlaySound(g.EndSound);
        }
        if (c.CloseAtEnd) view_.CloseSlideShow();
    }
    return false;
}

void CountdownEngine::OnFlashTimer() {
    if (!flashing_) return;
    const CountdownState& c = state_.Countdown;
    blinkCounter_ = static_cast<uint8_t>((blinkCounter_ + 1) % kBlinkCycle);
    // The default warning sound is one beep a second.
    if (state_.General.WarningSound == kDefaultSound && blinkCounter_ % 2 == 1) view_.Beep();
    const bool warningOver = c.WarningSeconds - c.RemainingSeconds >= kWarningFlashSeconds;
    if (!view_.WindowsVisible()) {
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
    view_.ShowTime(RemainingTimeText(state_.Countdown.RemainingSeconds));
}

}  // namespace quorrin
