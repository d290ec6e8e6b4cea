#include "app/program_menu_win32.h"

#include "autostart/autostart_win32.h"
#include "remote/remote_keys.h"
#include "win32/ipv4_addresses_win32.h"
#include "win32/message_box_win32.h"

namespace quorrin {

ProgramMenu::ProgramMenu(AppState& state, ConfigFile& config, MainClockWindow& clock,
                         DialogHost& host, ClockLayoutControl& layout, const ShowSession& session,
                         ProgramLifetime& lifetime, RemoteControl& remote)
    : state_(state),
      config_(config),
      clock_(clock),
      lifetime_(lifetime),
      sound_(state, config, host),
      timing_(state, config, host),
      style_(state, config, host, layout),
      talk_(state, config, host, [&session](int32_t key) { return session.HoldsKey(key); }),
      about_(state, host),
      history_(state, host, session.HistoryPath()),
      remote_(state, config, host, remote, SystemRandomBytes(), UpIpv4Addresses) {}

void ProgramMenu::Open(SettingsDialog& dialog) {
    const bool wasOpen = dialog.IsOpen();
    // An open dialog is only brought forward.
    if (dialog.Open(instance_) && !wasOpen) lifetime_.DialogOpened();
}

TrayMenuItemLook ProgramMenu::AutostartLook() const {
    const AutostartChoice choice = CurrentAutostart();
    return {.captionUtf8 = AutostartMenuCaption(choice.block),
            .checked = choice.startsThisCopy,
            .grayed = choice.block != AutostartBlock::None};
}

void ProgramMenu::ToggleAutostart() {
    quorrin::ToggleAutostart();
    about_.ShowAutostart();
}

void ProgramMenu::ChooseLanguage(LanguageSetting language) {
    if (language == state_.Ui.Language) return;
    if (const FileStatus saved = config_.SaveLanguage(language); !saved) {
        ShowSaveFailed(nullptr, config_.Path(), config_.DescribeFailure(saved));
    }
}

}  // namespace quorrin
