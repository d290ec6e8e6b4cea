#include "clock/clock_view_win32.h"

#include "clock/clock_colors.h"
#include "clock/monitors_win32.h"
#include "detection/close_slide_show_win32.h"
#include "settings/save_failure_log_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"
#include "sound/sound_player_win32.h"

#include <chrono>

namespace quorrin {

Millis MonotonicNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ClockView::ShowTime(const std::string& text) {
    const std::wstring wide = Utf8ToWide(text);
    main_.SetTime(wide);
    copy_.SetTime(wide);
}

void ClockView::LayoutWindows() {
    // Each window at the DPI of the monitor it is laid out on, as the monitors are now.
    dpis_ = MonitorDpis(state_);
    copy_.Layout(state_, dpis_);
    main_.Layout(state_, dpis_);
}

void ClockView::ShowWindows() {
    copy_.ShowOnTop();
    main_.ShowOnTop();
}

void ClockView::HideWindows() {
    main_.Hide();
    copy_.Hide();
}

bool ClockView::WindowsVisible() const { return main_.Visible(); }

void ClockView::KeepOnTop() {
    if (!main_.Visible()) return;
    copy_.KeepOnTop();
    main_.KeepOnTop();
}

void ClockView::SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) {
    // A file held by another program catches up at the next second's save.
    if (const FileStatus saved = config_.SaveRemainingTime(sameMode, slot, seconds); !saved) {
        LogSaveFailure(L"saving the resume point", config_, saved);
    }
}

void ClockView::SetTone(ClockTone tone) {
    std::optional<int32_t> color;
    if (tone != ClockTone::Normal) color = ToneBackground(tone, state_.Style, state_.Talk);
    main_.SetToneColor(color);
    copy_.SetToneColor(color);
}

void ClockView::Beep() { SystemBeep(); }

void ClockView::PlaySound(const std::string& path) { PlaySoundFile(path); }

void ClockView::CloseSlideShow() {
    if (!quorrin::CloseSlideShow(state_) && closeRefused_) closeRefused_();
}

void ClockView::ArmStepTimer(Millis dueAt) {
    const Millis wait = dueAt - MonotonicNow();
    // USER_TIMER_MINIMUM: a deadline already passed fires at the next chance.
    const UINT delay = wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : static_cast<UINT>(wait);
    const bool set =
        SetTimer(main_.Handle(), static_cast<UINT_PTR>(ClockTimer::Step), delay, nullptr) != 0;
    if (!set && !stepTimerMissing_) LogLastError(L"SetTimer for the countdown step");
    stepTimerMissing_ = !set;
}

void ClockView::StopStepTimer() {
    stepTimerMissing_ = false;
    KillTimer(main_.Handle(), static_cast<UINT_PTR>(ClockTimer::Step));
}

void ClockView::SetFlashTimer(bool on) {
    const auto id = static_cast<UINT_PTR>(ClockTimer::Flash);
    if (on) {
        // Without it the clock only stays in its warning colour; the countdown goes on.
        if (SetTimer(main_.Handle(), id, static_cast<UINT>(kFlashStepMs), nullptr) == 0) {
            LogLastError(L"SetTimer for the warning flash");
        }
    } else {
        KillTimer(main_.Handle(), id);
    }
}

}  // namespace quorrin
