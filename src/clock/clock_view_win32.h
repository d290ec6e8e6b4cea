// The countdown's effects on the desktop: the clock windows on the monitors the style
// chooses, the resume point in Config.ini, sounds and beeps, the close request to the show, and the
// two timers, which are window timers of the main clock window.
#pragma once

#include "countdown/countdown_engine.h"
#include "clock/clock_copies_win32.h"
#include "clock/clock_screens.h"
#include "clock/countdown_window_win32.h"
#include "clock/speaker_messages_win32.h"
#include "settings/config_file.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorrin {

enum class ClockTimer : UINT_PTR {
    Main = 1,   // the slide-show watch: its fallback pass every second (or every 100 ms)
    Step = 2,   // the next one-second step, re-armed for each deadline
    Flash = 3,  // the warning flash, every 500 ms
    Watch = 4,  // one slide-show watch pass held back on a busy desktop, once
};

// Milliseconds of the system's monotonic clock.
Millis MonotonicNow();

class ClockView final : public CountdownView {
  public:
    ClockView(AppState& state, ConfigFile& config, CountdownWindow& main, ClockCopies& copies)
        : state_(state), config_(config), main_(main), copies_(copies) {}

    void ShowTime(const std::string& text) override;
    void LayoutWindows() override;
    void ShowWindows() override;
    void HideWindows() override;
    bool WindowsVisible() const override;
    void SetClockUp(bool up) override;
    void KeepOnTop() override;
    void SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) override;
    void Beep() override;
    void PlaySound(const std::string& path) override;
    void CloseSlideShow() override;
    void ArmStepTimer(Millis dueAt) override;
    void StopStepTimer() override;
    void SetFlashTimer(bool on) override;
    void SetTone(ClockTone tone) override;

    // The clock on the primary monitor, while a dialog there is open: hidden with its
    // message, and shown again where the style puts a clock on that monitor (the clock only
    // `withClock`: not when the presenter hid it). A copy lying on it goes and comes back
    // with it.
    void HidePrimaryClock();
    void ShowPrimaryClock(bool withClock);

    // True while the countdown runs without its step timer (SetTimer failed): the watch's
    // next pass then does the step, which sets the timer again.
    bool StepTimerMissing() const { return stepTimerMissing_; }

    // The timekeeper's message (UTF-8), beside every placed clock while the clock is up, even
    // when the presenter hid it; kept until the next show when none runs. Cut to
    // kMaxMessageChars characters; empty (or only spaces) takes it away.
    void ShowMessage(const std::string& utf8);
    // Called when the presenter dismissed the message with a click; it is gone everywhere.
    void OnMessageDismissed(std::function<void()> dismissed) {
        messages_.OnDismissed(std::move(dismissed));
    }
    // Shows the message by the placed clocks while the clock is up, else hides it: at every
    // step, and at once when the clock was dragged elsewhere.
    void PlaceMessages();

    // Called when the show's window refused to be closed at the end of the countdown.
    void OnCloseRefused(std::function<void()> closeRefused) {
        closeRefused_ = std::move(closeRefused);
    }

  private:
    // Every clock window that the last layout put on a monitor, the main one last when it is
    // among them: shown or raised in this order, it stays above a copy lying on it, so that
    // clicks reach it.
    std::vector<CountdownWindow*> PlacedClocks();
    // Where the messages go: beside each placed clock, one per monitor.
    std::vector<MessageAnchor> MessageAnchors() const;
    // The show window's place, when there is one.
    std::optional<WorkArea> ShowArea() const;

    AppState& state_;
    ConfigFile& config_;
    CountdownWindow& main_;
    ClockCopies& copies_;
    // Until the first layout: the main clock alone, with the first copy on it.
    ClockPlan plan_{0, true, {}};
    bool stackedCopy_ = true;      // the first copy lies on the main clock
    bool shown_ = false;           // between ShowWindows and HideWindows
    std::wstring time_;            // the time every clock shows
    std::optional<int32_t> tone_;  // and the background in place of the style's
    bool stepTimerMissing_ = false;
    std::function<void()> closeRefused_;

    bool clockUp_ = false;          // see SetClockUp
    bool primaryGivenWay_ = false;  // between HidePrimaryClock and ShowPrimaryClock
    WorkArea mainArea_;             // the work area the main clock was last laid out on
    SpeakerMessages messages_;
};

}  // namespace quorrin
