// One slide show's countdown, from the show's start to its end: the engine and its timers,
// the presenter's global keys, and the balloons about them. The presenter's commands (pause,
// a minute more or less, hide) are methods, so that any caller on the UI thread, not only a
// global key, takes the same path. Each show's countdown leaves its row in History.csv.
#pragma once

#include "app/show_keys_win32.h"
#include "clock/clock_view_win32.h"
#include "clock/main_clock_window_win32.h"
#include "countdown/countdown_engine.h"
#include "history/history_writer_win32.h"
#include "history/talk_recorder.h"
#include "settings/app_state.h"
#include "tray/tray_icon_win32.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace quorrin {

class ShowSession {
  public:
    // The keys are registered on `clock`'s window; balloons go to `tray`; History.csv lies in
    // `configFolder` (UTF-8, ending with its separator).
    ShowSession(AppState& state, ClockView& view, const MainClockWindow& clock, TrayIcon& tray,
                std::string_view configFolder);
    ShowSession(const ShowSession&) = delete;
    ShowSession& operator=(const ShowSession&) = delete;

    // A show has come up: the countdown starts over it and the keys are taken.
    void Begin();
    // The show has gone: the keys are given back, the countdown stops.
    void End();
    // The same when the program ends (also when Windows shuts down).
    void Stop();

    // The presenter's commands, and the timekeeper's. Without a show they do nothing.
    void TogglePause();
    void AddSeconds(int32_t seconds);
    void ToggleHidden();
    // Called after every step of the clock and every change to it.
    void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // The window's messages and timers for the countdown.
    void OnShowKey(ShowKey key);
    void OnStepTimer();
    void OnFlashTimer();
    // The watch's fallback timer: a countdown whose step timer could not be set steps here.
    void OnFallbackTick();

    // 放映控制 was saved: keys changed during a show are taken again at once.
    void RetakeKeysIfChanged();
    bool HoldsKey(int32_t hotKey) const { return keys_.Holds(hotKey); }
    const CountdownEngine& Engine() const { return engine_; }
    const std::string& HistoryPath() const { return history_.Path(); }

  private:
    // Taken with the show (a key another program holds is named in a balloon).
    void TakeKeys();
    void ShowBalloon(const std::wstring& text);
    void StepTo(Millis now);
    // The talk's row, when one is being followed; the keys and the countdown stop.
    void Finish(TalkEnd end);

    AppState& state_;
    ClockView& view_;
    const MainClockWindow& clock_;
    TrayIcon& tray_;
    CountdownEngine engine_;
    ShowKeys keys_;
    TalkSettings keysTakenWith_;  // the settings the show's keys were taken with
    TalkRecorder recorder_;
    HistoryWriter history_;
    std::function<void()> changed_ = [] {};
};

}  // namespace quorrin
