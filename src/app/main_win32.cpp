// Start-up: one copy per session, the settings from Config.ini beside the .exe, the
// monitors, then the two hidden clock windows (the copy first) that wait for a slide show
// until the program is ended.
#include "win32/debug_log_win32.h"
#include "app/message_box_notifier_win32.h"
#include "clock/monitors_win32.h"
#include "win32/program_folder_win32.h"
#include "app/single_instance_win32.h"
#include "app/app_controller_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "win32/ui_languages_win32.h"
#include "win32/wide_text_win32.h"
#include "detection/window_walk_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"
#include "settings/ini_store.h"

#include <windows.h>

#include <exception>

namespace {

// Each start-up step is guarded on its own: a step that fails is skipped and the program
// goes on with what it has.
void LogStepFailure(const wchar_t* step, const std::exception& error) {
    quorrin::LogDebug(step, quorrin::Utf8ToWide(error.what()));
}

void FindConfigPath(quorrin::AppState& state) {
    try {
        const std::optional<std::string> folder = quorrin::ProgramFolder();
        if (!folder) return;
        state.General.ConfigPath = quorrin::MakeConfigPath(*folder);
    } catch (const std::exception& error) {
        LogStepFailure(L"finding Config.ini", error);
    }
}

void LoadSettings(quorrin::AppState& state, quorrin::ConfigFile& config) {
    if (state.General.ConfigPath.empty()) {
        quorrin::LogDebug(L"loading settings", L"skipped, no path for Config.ini");
        return;
    }
    try {
        config.LoadSettings();
    } catch (const std::exception& error) {
        LogStepFailure(L"loading settings", error);
    }
}

void FindMonitors(quorrin::AppState& state) {
    try {
        quorrin::RecordMonitorWorkAreas(state);
    } catch (const std::exception& error) {
        LogStepFailure(L"finding the monitors", error);
    }
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (quorrin::RouteDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const quorrin::SingleInstance instanceLock(quorrin::kSingleInstanceMutexName);
    if (!instanceLock.IsFirst()) return 0;

    quorrin::AppState state;
    // The language left to the program, until Config.ini says otherwise.
    state.Ui.SystemLanguages = quorrin::PreferredUiLanguages();
    quorrin::ApplyUiLanguage(state.Ui);
    FindConfigPath(state);
    quorrin::IniStore store(state.General.ConfigPath);
    quorrin::ConfigFile config(state, store, quorrin::MessageBoxNotifier());
    LoadSettings(state, config);
    FindMonitors(state);

    quorrin::DesktopWindowWalk walk;
    quorrin::AppController controller(state, walk, config);
    if (!controller.Start(instance)) return 1;
    return RunMessageLoop();
}
