// The clock's state as the timekeeper's server tells it: built on the UI thread from the
// countdown and the settings, after every step and every change.
#pragma once

#include "countdown/countdown_engine.h"
#include "remote/remote_snapshot.h"
#include "settings/app_state.h"

#include <string>

namespace quorrin {

// `message`: the timekeeper's message on the speaker's screens (UTF-8), empty for none.
RemoteSnapshot ClockSnapshot(const AppState& state, const CountdownEngine& engine,
                             const std::string& message);

}  // namespace quorrin
