// The slide-show watch on the main clock window: the watch schedule's decisions turned into
// a posted message or a one-shot timer, the fallback timer, and the detection passes, which
// begin and end the show session as a show comes and goes.
#pragma once

#include "app/show_session_win32.h"
#include "detection/slide_show_finder.h"
#include "detection/watch_schedule.h"
#include "settings/app_state.h"

#include <windows.h>

#include <optional>

namespace quorrin {

// Posted to the main clock window for one detection pass; changes reported while it waits
// share it.
inline constexpr UINT kWatchPassMessage = WM_APP + 2;

class ShowWatcher {
  public:
    ShowWatcher(AppState& state, WindowWalk& walk, ShowSession& session)
        : state_(state), walk_(walk), session_(session) {}
    ~ShowWatcher() { Stop(); }
    ShowWatcher(const ShowWatcher&) = delete;
    ShowWatcher& operator=(const ShowWatcher&) = delete;

    // Watches on `window`'s timers and messages, starting with a pass for a show already up;
    // false when the fallback timer cannot be set.
    bool Start(HWND window);
    // kWatchPassMessage; false for other messages.
    bool HandleMessage(UINT message);
    void OnFallbackTimer();
    void OnHeldBackTimer();
    // No more passes (the window is going).
    void Stop();

  private:
    void OnChange();
    void OnQueuedPassDue();
    // One detection pass: finds the show and follows its start and end.
    void Pass();

    AppState& state_;
    WindowWalk& walk_;
    ShowSession& session_;
    HWND window_ = nullptr;
    std::optional<WatchSchedule>
        schedule_;  // from Start, once it is known whether changes are reported
};

}  // namespace quorrin
