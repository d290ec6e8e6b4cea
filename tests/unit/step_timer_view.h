// A countdown view for tests that only holds the step timer: enough to run the real engine
// on a fake clock, delivering each step when it is due.
#pragma once

#include "countdown/countdown_engine.h"

#include <optional>
#include <string>

namespace quorrin {

class StepTimerView final : public CountdownView {
  public:
    std::optional<Millis> stepDue;
    void ShowTime(const std::string&) override {}
    void LayoutWindows() override {}
    void ShowWindows() override {}
    void HideWindows() override {}
    bool WindowsVisible() const override { return true; }
    void KeepOnTop() override {}
    void SaveRemainingTime(bool, int32_t, int32_t) override {}
    void Beep() override {}
    void PlaySound(const std::string&) override {}
    void CloseSlideShow() override {}
    void ArmStepTimer(Millis dueAt) override { stepDue = dueAt; }
    void StopStepTimer() override { stepDue.reset(); }
    void SetFlashTimer(bool) override {}
    void SetTone(ClockTone) override {}
};

}  // namespace quorrin
