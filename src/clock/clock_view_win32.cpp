#include "clock/clock_view_win32.h"

#include "clock/clock_colors.h"
#include "clock/monitors_win32.h"
#include "clock/speaker_message_layout.h"
#include "detection/close_slide_show_win32.h"
#include "detection/window_walk_win32.h"
#include "settings/save_failure_log_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"
#include "sound/sound_player_win32.h"

#include <algorithm>
#include <chrono>

namespace quorrin {

Millis MonotonicNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ClockView::ShowTime(const std::string& text) {
    time_ = Utf8ToWide(text);
    main_.SetTime(time_);
    for (size_t i = 0; i < copies_.Count(); ++i) copies_.At(i).window.SetTime(time_);
}

std::optional<WorkArea> ClockView::ShowArea() const {
    const HWND show = ToHwnd(state_.Countdown.SlideShowWindow);
    RECT r{};
    if (show == nullptr || !IsWindow(show) || !GetWindowRect(show, &r)) return std::nullopt;
    return WorkArea{r.left, r.top, r.right, r.bottom};
}

std::vector<CountdownWindow*> ClockView::PlacedClocks() {
    std::vector<CountdownWindow*> placed;
    const size_t copies = stackedCopy_ ? (plan_.onPrimary ? 1 : 0) : plan_.copies.size();
    for (size_t i = 0; i < std::min(copies, copies_.Count()); ++i) {
        placed.push_back(&copies_.At(i).window);
    }
    if (plan_.onPrimary) placed.push_back(&main_);
    return placed;
}

void ClockView::LayoutWindows() {
    // Each window at the DPI of the monitor it is laid out on, as the monitors are now.
    std::vector<Screen> screens = ListScreens();
    if (screens.empty()) screens.push_back({state_.PrimaryWorkArea, state_.PrimaryWorkArea, true});
    const std::vector<size_t> chosen = ChosenScreens(screens, state_.Style.Screens, ShowArea());
    ClockPlan plan = PlanClocks(screens, chosen);
    const size_t made = copies_.Count();
    copies_.Reserve(plan.copies.size(), state_.Style);
    // A copy made for a monitor that came during a show shows what the others show.
    for (size_t i = made; i < copies_.Count(); ++i) {
        copies_.At(i).window.SetTime(time_);
        copies_.At(i).window.SetToneColor(tone_);
    }
    if (plan.copies.size() > copies_.Count()) plan.copies.resize(copies_.Count());

    const std::vector<CountdownWindow*> placedBefore = PlacedClocks();
    plan_ = plan;
    // With no other monitor to go to, the first copy lies on the main clock.
    stackedCopy_ = plan_.copies.empty();

    const Screen& primary = screens[plan_.primary];
    const int32_t primaryDpi = ScreenDpi(primary);
    const auto placeOn = [&](const Screen& screen, bool mapped) {
        return ClockPlacement{primary.work, primaryDpi, screen.work, ScreenDpi(screen), mapped};
    };
    // The copies first, then the main clock.
    for (size_t i = 0; i < copies_.Count(); ++i) {
        ClockCopy& copy = copies_.At(i);
        const Screen& on = i < plan_.copies.size() ? screens[plan_.copies[i]] : primary;
        copy.placement = placeOn(on, true);
        copy.window.Layout(state_.Style, copy.placement);
    }
    main_.Layout(state_.Style, placeOn(primary, false));
    mainArea_ = primary.work;
    PlaceMessages();

    if (!shown_) return;
    // During a show a monitor that came or went, or a new choice, shows or hides clocks; the
    // others keep their state (a dialog may have hidden the main one).
    const std::vector<CountdownWindow*> placed = PlacedClocks();
    const auto in = [](const std::vector<CountdownWindow*>& list, CountdownWindow* window) {
        return std::find(list.begin(), list.end(), window) != list.end();
    };
    for (CountdownWindow* window : placedBefore) {
        if (!in(placed, window)) window->Hide();
    }
    for (CountdownWindow* window : placed) {
        if (!in(placedBefore, window)) window->ShowOnTop();
    }
}

void ClockView::ShowWindows() {
    shown_ = true;
    for (CountdownWindow* window : PlacedClocks()) window->ShowOnTop();
    PlaceMessages();  // above the clocks again
}

// The messages stay: the presenter's hide key and the warning flash come here too.
void ClockView::HideWindows() {
    shown_ = false;
    main_.Hide();
    for (size_t i = 0; i < copies_.Count(); ++i) copies_.At(i).window.Hide();
}

bool ClockView::WindowsVisible() const {
    if (main_.Visible()) return true;
    for (size_t i = 0; i < copies_.Count(); ++i) {
        if (copies_.At(i).window.Visible()) return true;
    }
    return false;
}

void ClockView::KeepOnTop() {
    for (CountdownWindow* window : PlacedClocks()) {
        if (window->Visible()) window->KeepOnTop();
    }
    // Placed again too, so they follow a clock the presenter dragged.
    PlaceMessages();
}

void ClockView::SetClockUp(bool up) {
    clockUp_ = up;
    PlaceMessages();
}

void ClockView::ShowMessage(const std::string& utf8) {
    messages_.SetText(Utf8ToWide(MessageText(utf8)));
    PlaceMessages();
}

std::vector<MessageAnchor> ClockView::MessageAnchors() const {
    std::vector<MessageAnchor> anchors;
    // A copy lying on the main clock shares its monitor and its message.
    if (!stackedCopy_) {
        for (size_t i = 0; i < std::min(plan_.copies.size(), copies_.Count()); ++i) {
            const ClockCopy& copy = copies_.At(i);
            anchors.push_back({copy.window.RectPixels(), copy.placement.area, copy.window.Dpi()});
        }
    }
    if (plan_.onPrimary && !primaryGivenWay_) {
        anchors.push_back({main_.RectPixels(), mainArea_, main_.Dpi()});
    }
    return anchors;
}

void ClockView::PlaceMessages() {
    // Called at every step: without a message it asks nothing of the windows.
    if (!clockUp_ || messages_.Text().empty()) {
        messages_.HideAll();
        return;
    }
    const auto instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main_.Handle(), GWLP_HINSTANCE));
    messages_.Place(instance, MessageAnchors(), Utf8ToWide(state_.Style.numFontName));
}

void ClockView::HidePrimaryClock() {
    primaryGivenWay_ = true;
    main_.Hide();
    if (stackedCopy_ && copies_.Count() > 0) copies_.At(0).window.Hide();
    PlaceMessages();
}

void ClockView::ShowPrimaryClock(bool withClock) {
    primaryGivenWay_ = false;
    PlaceMessages();
    if (!plan_.onPrimary || !withClock) return;
    if (stackedCopy_ && copies_.Count() > 0) copies_.At(0).window.ShowOnTop();
    main_.ShowOnTop();
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
    tone_ = color;
    main_.SetToneColor(color);
    for (size_t i = 0; i < copies_.Count(); ++i) copies_.At(i).window.SetToneColor(color);
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
