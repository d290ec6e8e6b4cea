// Starting with Windows through the current user's Run key: the value "Quorrin" holds the
// quoted path of the .exe. Task Manager's choice for that name (StartupApproved) is read and
// never written.
#pragma once

#include "autostart/autostart_choice.h"

#include <windows.h>

namespace quorrin {

inline constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kStartupApprovedKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr const wchar_t* kRunValueName = L"Quorrin";

// The registry and the running .exe as they are now; cheap enough for every opening of the
// menu.
AutostartFacts ReadAutostartFacts();
AutostartChoice CurrentAutostart();

// Writes the Run value for this .exe (on) or deletes it (off). ERROR_SUCCESS, or the error
// of the registry call that failed; a value already absent counts as deleted.
LSTATUS SetAutostart(bool on);

// The menu's switch: this copy starts with Windows from now on, or no longer, as the registry
// says now (it may have changed while the menu was open); nothing while a block keeps it
// off. A failure is told to the user.
void ToggleAutostart();

}  // namespace quorrin
