// A dialog's Save while another program (a sync client, a virus scanner) holds Config.ini
// open without sharing: the message box the save shows is answered, and what it said kept.
#pragma once

#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include "common_dialog_driver_win32.h"
#include "message_pump_win32.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quorrin::testing {

struct SaveFailureSeen {
    bool shown = false;
    std::wstring caption;
    std::wstring text;
};

// Holds `path` (which must exist), runs `pressSave`, answers the message box and releases
// the file. The box runs its own loop inside Save; once it is answered, Save is over.
inline SaveFailureSeen SaveWhileHeld(const std::string& path,
                                     const std::function<void()>& pressSave) {
    constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box
    SaveFailureSeen seen;
    UniqueFile held(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return seen;
    CommonDialogDriver box(kMessageTextId, [&](HWND window) {
        seen.caption = WindowText(window);
        seen.text = WindowText(GetDlgItem(window, kMessageTextId));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    pressSave();
    seen.shown = PumpUntil([&](const PumpResult&) { return box.Acted(); }).done;
    // Whatever the box's answer still has to do runs before the file is free again.
    PumpUntil([](const PumpResult&) { return true; });
    return seen;
}

}  // namespace quorrin::testing
