#include "sound/sound_player_win32.h"

#include "win32/debug_log_win32.h"
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
    const std::wstring wide = Utf8ToWide(path);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return path;  // the quoted long path is the next best try
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return path;
    shortPath.resize(length);
    return WideToUtf8(shortPath);
}

void PlaySoundFile(const std::string& path) { Send(PlayCommands(ToShortPath(path))); }

void StopSoundFile(const std::string& path) { Send(StopCommands(ToShortPath(path))); }

void SystemBeep() { MessageBeep(MB_OK); }

}  // namespace quorrin
