// The countdown: choosing the starting time, one step a second, the resume point, the
// warning flash and the end signal. Time comes in as a parameter and every effect goes out
// through CountdownView, so the engine never touches a window or reads a clock.
#pragma once

#include "settings/app_state.h"

#include <cstdint>
#include <string>

namespace quorrin {

// Milliseconds of a monotonic clock.
using Millis = int64_t;

inline constexpr Millis kCountdownStepMs = 1000;
inline constexpr Millis kFlashStepMs = 500;
// The flash (or, without flashing, the beeping) ends this many seconds after the warning.
inline constexpr int32_t kWarningFlashSeconds = 3;
// What one press of "one minute more" or "one minute less" moves the clock by.
inline constexpr int32_t kAdjustStepSeconds = 60;
// The least a clock moved back can show: it still ends by counting down, not by the key.
inline constexpr int32_t kLeastAdjustedSeconds = 1;

// The clock's background: the style's colour, or the warning or the overtime colour.
enum class ClockTone { Normal, Warning, Overtime };

// What the engine asks of the clock windows and the desktop.
class CountdownView {
  public:
    virtual ~CountdownView() = default;
    // Shows the MM:SS text on both clock windows.
    virtual void ShowTime(const std::string& text) = 0;
    // Lays out both clock windows from the display style (the copy first).
    virtual void LayoutWindows() = 0;
    // Shows both clock windows (the copy first) above everything else.
    virtual void ShowWindows() = 0;
    virtual void HideWindows() = 0;
    virtual bool WindowsVisible() const = 0;
    // The clock is up from the start of a show until the countdown stops, shown or not: the
    // presenter's hide key and the warning flash hide its windows while it stays up.
    virtual void SetClockUp(bool up) = 0;
    // Puts the shown windows back on top of a show that pushed itself above them.
    virtual void KeepOnTop() = 0;
    virtual void SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) = 0;
    virtual void Beep() = 0;
    virtual void PlaySound(const std::string& path) = 0;
    virtual void CloseSlideShow() = 0;
    // The one-second step timer: due at the given time, or stopped.
    virtual void ArmStepTimer(Millis dueAt) = 0;
    virtual void StopStepTimer() = 0;
    // The flash timer, every kFlashStepMs while on.
    virtual void SetFlashTimer(bool on) = 0;
    virtual void SetTone(ClockTone tone) = 0;
};

// The clock's text: total minutes and seconds, MM:SS (90 minutes show 90:00).
std::string RemainingTimeText(int32_t seconds);
// The time past zero, "-MM:SS".
std::string OvertimeText(int32_t seconds);
// A paused clock's text: the time behind a pause mark.
std::string PausedText(const std::string& time);

// The tone of the clock: the overtime colour past zero; with the colours on, the warning
// colour from the warning second on.
ClockTone ClockToneFor(const TalkSettings& talk, const CountdownState& countdown, bool overtime);

// Where the clock lands when moved by `seconds` (one minute more or less): never below
// kLeastAdjustedSeconds by the move, nor raised by it when it was already below.
int32_t AdjustedRemainingSeconds(int32_t remaining, int32_t seconds);

class CountdownEngine {
  public:
    CountdownEngine(AppState& state, CountdownView& view) : state_(state), view_(view) {}

    // A show has just been found and its slot selected.
    void Start(Millis now);
    // The show has gone, or the countdown ended.
    void Stop();
    // The step timer fired: runs every step that is due by `now`, each with all its rules,
    // so a late or blocked timer loses no second and never shows one twice.
    void OnStepTimer(Millis now);
    // The flash timer fired.
    void OnFlashTimer();

    // The presenter's keys during a show. A pause holds the time (and saves it); the count
    // goes on a full second after the resume.
    void TogglePause(Millis now);
    // Moves the clock by `seconds` (see AdjustedRemainingSeconds); in overtime, a minute
    // more starts a new countdown of that minute.
    void AddTime(int32_t seconds);
    // Hides the clock for the rest of this show, or shows it again.
    void ToggleHidden();

    bool Counting() const { return counting_; }
    bool Flashing() const { return flashing_; }
    bool Paused() const { return paused_; }
    bool HiddenByPresenter() const { return hiddenByPresenter_; }
    // Seconds the clock has counted past zero; 0 before the end.
    int32_t OvertimeSeconds() const { return overtimeSeconds_; }

  private:
    // One second of the countdown. False when the countdown ended with it.
    bool Step();
    // The end signal at zero; then either the clock goes or it counts the time over.
    bool EndCountdown();
    void SaveResumePoint();
    void ShowRemainingTime();
    void StopFlash();

    AppState& state_;
    CountdownView& view_;
    bool counting_ = false;
    bool flashing_ = false;
    int32_t lastWarnedAt_ = 0;
    uint8_t blinkCounter_ = 0;  // 0..9, carries over from one warning to the next
    Millis startedAt_ = 0;
    int64_t stepsDone_ = 0;
    bool clockUp_ = false;  // from the start of a show until the countdown stops
    bool paused_ = false;
    bool hiddenByPresenter_ = false;
    int32_t overtimeSeconds_ = 0;  // seconds past zero, 0 before the end
};

}  // namespace quorrin
