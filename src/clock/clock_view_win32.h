// The countdown's effects on the desktop: the two clock windows, the resume point in
// Config.ini, sounds and beeps, the close request to the show, and the two timers, which
// are window timers of the main clock window.
#pragma once

#include "countdown/countdown_engine.h"
#include "clock/countdown_window_win32.h"
#include "settings/config_file.h"

#include <windows.h>

#include <functional>

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
    ClockView(AppState& state, ConfigFile& config, CountdownWindow& main, CountdownWindow& copy)
        : state_(state), config_(config), main_(main), copy_(copy) {}

    void ShowTime(const std::string& text) override;
    void LayoutWindows() override;
    void ShowWindows() override;
    void HideWindows() override;
    bool WindowsVisible() const override;
    void KeepOnTop() override;
    void SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) override;
    void Beep() override;
    void PlaySound(const std::string& path) override;
    void CloseSlideShow() override;
    void ArmStepTimer(Millis dueAt) override;
    void StopStepTimer() override;
    void SetFlashTimer(bool on) override;
    void SetTone(ClockTone tone) override;

    // True while the countdown runs without its step timer (SetTimer failed): the watch's
    // next pass then does the step, which sets the timer again.
    bool StepTimerMissing() const { return stepTimerMissing_; }

    // Called when the show's window refused to be closed at the end of the countdown.
    void OnCloseRefused(std::function<void()> closeRefused) {
        closeRefused_ = std::move(closeRefused);
    }

    // The DPIs of the last layout.
    const ClockDpis& Dpis() const { return dpis_; }

  private:
    AppState& state_;
    ConfigFile& config_;
    CountdownWindow& main_;
    CountdownWindow& copy_;
    ClockDpis dpis_;
    bool stepTimerMissing_ = false;
    std::function<void()> closeRefused_;
};

}  // namespace quorrin
