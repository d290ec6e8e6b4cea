// What the tray menu's entries do: the settings dialogs (one of each, kept for the whole run
// and opened again on demand), starting with Windows, the language, and the exit. An open
// dialog keeps the program running after "退出程序" until it closes.
#pragma once

#include "app/show_session_win32.h"
#include "clock/main_clock_window_win32.h"
#include "dialogs/about/about_dialog_win32.h"
#include "dialogs/history/history_dialog_win32.h"
#include "dialogs/kit/dialog_host.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/remote/remote_control.h"
#include "dialogs/remote/remote_dialog_win32.h"
#include "dialogs/sound/sound_dialog_win32.h"
#include "dialogs/style/style_dialog_win32.h"
#include "dialogs/talk/talk_dialog_win32.h"
#include "dialogs/timing/timing_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"
#include "tray/tray_menu.h"

#include <windows.h>

namespace quorrin {

class ProgramMenu final : public TrayCommands {
  public:
    ProgramMenu(AppState& state, ConfigFile& config, MainClockWindow& clock, DialogHost& host,
                ClockLayoutControl& layout, const ShowSession& session, ProgramLifetime& lifetime,
                RemoteControl& remote);
    ProgramMenu(const ProgramMenu&) = delete;
    ProgramMenu& operator=(const ProgramMenu&) = delete;

    void SetInstance(HINSTANCE instance) { instance_ = instance; }

    void OpenTimingSettings() override { Open(timing_); }
    void OpenStyleSettings() override { Open(style_); }
    void OpenSoundSettings() override { Open(sound_); }
    void OpenTalkSettings() override { Open(talk_); }
    void OpenTalkHistory() override { Open(history_); }
    void OpenTimekeeper() override { Open(remote_); }
    void OpenAbout() override { Open(about_); }
    // The switch, which a greyed entry never gets to; 关于 shows the new state if it is open.
    void ToggleAutostart() override;
    // Kept in [UI]; the menu and every dialog opened from now on speak the new language.
    void ChooseLanguage(LanguageSetting language) override;
    void Exit() override { clock_.Destroy(); }

    // Read each time the menu opens, so that the tick follows the registry whoever changed it.
    TrayMenuItemLook AutostartLook() const override;
    LanguageSetting Language() const override { return state_.Ui.Language; }

  private:
    // Opens a settings dialog, or brings the open one forward.
    void Open(SettingsDialog& dialog);

    AppState& state_;
    ConfigFile& config_;
    MainClockWindow& clock_;
    ProgramLifetime& lifetime_;
    HINSTANCE instance_ = nullptr;

    SoundDialog sound_;
    TimingDialog timing_;
    StyleDialog style_;
    TalkDialog talk_;
    AboutDialog about_;
    HistoryDialog history_;
    RemoteDialog remote_;
};

}  // namespace quorrin
