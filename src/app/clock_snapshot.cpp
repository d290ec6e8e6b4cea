#include "app/clock_snapshot.h"

#include "history/talk_recorder.h"

namespace quorrin {

RemoteSnapshot ClockSnapshot(const AppState& state, const CountdownEngine& engine,
                             const std::string& message) {
    RemoteSnapshot snapshot;
    snapshot.message = message;
    snapshot.warningColor = state.Talk.WarningColor;
    snapshot.overtimeColor = state.Talk.OvertimeColor;
    const CountdownState& countdown = state.Countdown;
    // A show whose countdown has ended (time up, the clock gone) is no longer timed.
    snapshot.show = countdown.ShowActive && engine.Counting();
    if (!snapshot.show) return snapshot;
    // The name History.csv gives the talk.
    snapshot.presentation = TalkStartOf(state, {}).presentation;
    snapshot.plannedSeconds = countdown.TotalSeconds;
    snapshot.overtime = engine.OvertimeSeconds() > 0;
    snapshot.remainingSeconds =
        snapshot.overtime ? -engine.OvertimeSeconds() : countdown.RemainingSeconds;
    snapshot.warning = !snapshot.overtime && countdown.WarningSeconds > 0 &&
                       countdown.RemainingSeconds <= countdown.WarningSeconds;
    snapshot.paused = engine.Paused();
    snapshot.hidden = engine.HiddenByPresenter();
    return snapshot;
}

}  // namespace quorrin
