#include "sound/sound_player_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/short_path_win32.h"
#include "win32/wide_text_win32.h"
#include "sound/sound_commands.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

namespace quorrin {

namespace {

void Send(const std::vector<std::string>& commands) {
    for (const std::string& command : commands) {
        // No return buffer and no notification window: play returns at once.
        const MCIERROR error = mciSendStringW(Utf8ToWide(command).c_str(), nullptr, 0, nullptr);
        if (error != 0) LogDebug(L"sound command failed", Utf8ToWide(command));
    }
}

}  // namespace

std::string ToShortPath(const std::string& path) {
    if (path.find(' ') == std::string::npos) return path;
    const std::string shortPath = ShortPathName(path);
    return shortPath.empty() ? path : shortPath;  // else the quoted long path is the next try
}

void PlaySoundFile(const std::string& path) { Send(PlayCommands(ToShortPath(path))); }

void StopSoundFile(const std::string& path) { Send(StopCommands(ToShortPath(path))); }

void SystemBeep() { MessageBeep(MB_OK); }

}  // namespace quorrin
