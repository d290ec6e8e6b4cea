#include "app/app_controller_win32.h"

#include "app/app_resources_win32.h"
#include "clock/monitors_win32.h"
#include "settings/save_failure_log_win32.h"
#include "tray/tray_menu_win32.h"
#include "win32/dpi_win32.h"
#include "win32/ui_text_win32.h"

namespace quorrin {

namespace {

// The folder part of a file's path, with its separator.
std::string_view FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return std::string_view(path).substr(0, separator == std::string::npos ? 0 : separator + 1);
}

}  // namespace

AppController::AppController(AppState& state, WindowWalk& walk, ConfigFile& config)
    : state_(state),
      config_(config),
      clock_(state, *this),
      view_(state, config, clock_, clock_.Copies()),
      session_(state, view_, clock_, tray_, FolderOf(config.Path())),
      watcher_(state, walk, session_),
      timekeeper_(state, config, session_,
                  [this](const std::string& message) { view_.ShowMessage(message); }),
      menu_(state, config, clock_, *this, *this, session_, lifetime_, timekeeper_) {
    session_.OnChanged([this] { timekeeper_.Publish(); });
    view_.OnMessageDismissed([this] { timekeeper_.DismissMessage(); });
}

bool AppController::Start(HINSTANCE instance) {
    menu_.SetInstance(instance);
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
    if (!clock_.Create(instance, icon, MonitorDpis(state_))) return false;
    if (!watcher_.Start(clock_.Handle())) return false;
    timekeeper_.Start(clock_.Handle());
    tray_.OnMenuRequested([this](POINT at) { OnMenuRequested(at); });
    // A refusal is logged; the icon comes when the shell next sends TaskbarCreated.
    if (tray_.Add(clock_.Handle(), instance, kAppIconId, UiText(TextId::AppName))) {
        tray_.ShowBalloon(UiText(TextId::AppName), UiText(TextId::BalloonRunning));
    }
    return true;
}

void AppController::OnClockTimer(ClockTimer timer) {
    switch (timer) {
        case ClockTimer::Main:
            session_.OnFallbackTick();
            watcher_.OnFallbackTimer();
            break;
        case ClockTimer::Step:
            session_.OnStepTimer();
            break;
        case ClockTimer::Flash:
            session_.OnFlashTimer();
            break;
        case ClockTimer::Watch:
            watcher_.OnHeldBackTimer();
            break;
    }
}

bool AppController::OnProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        if (const std::optional<ShowKey> key = ShowKeys::FromId(wParam)) session_.OnShowKey(*key);
        return true;
    }
    return watcher_.HandleMessage(message) || tray_.HandleMessage(message, lParam) ||
           timekeeper_.HandleMessage(message);
}

void AppController::OnMenuRequested(POINT screenPoint) {
    OpenTrayMenu(clock_.Handle(), screenPoint, menu_);
}

void AppController::DialogClosed() {
    session_.RetakeKeysIfChanged();
    lifetime_.DialogClosed();
    EndIfDone();
}

void AppController::EndIfDone() {
    if (lifetime_.MayEnd()) PostQuitMessage(0);
}

void AppController::OnClockDragged() {
    view_.PlaceMessages();  // also while paused, when no step would move them
    if (const FileStatus saved = config_.SaveStyle(state_.Style); !saved) {
        LogSaveFailure(L"saving the dragged clock's place", config_, saved);
    }
}

// The copies on the other monitors stay up for the audience.
void AppController::HideMainClock() { view_.HidePrimaryClock(); }

// A clock the presenter hid stays hidden when a dialog closes; its message comes back.
void AppController::ShowMainClock() {
    view_.ShowPrimaryClock(!session_.Engine().HiddenByPresenter());
}

// At the DPI the clock is laid out at, as a drag stores it.
TwipRect AppController::MainClockRect() const { return clock_.RectTwips(); }

// Every clock window is placed again, in and out of a show: a new style shows at once.
void AppController::LayOutClocks() { view_.LayoutWindows(); }

void AppController::OnDisplaySettingsChanged() {
    // Laying out moves the copy, which may bring it to a monitor of another DPI and so back
    // here; the layout under way already uses that monitor's DPI.
    if (relayingOut_) return;
    relayingOut_ = true;
    RecordMonitorWorkAreas(state_);
    LayOutClocks();
    tray_.UpdateIcon(WindowDpi(clock_.Handle()));
    relayingOut_ = false;
}

void AppController::OnClockClosing() {
    watcher_.Stop();
    timekeeper_.Stop();
    session_.Stop();
    tray_.Remove();
    lifetime_.ClockClosed();
    EndIfDone();
}

}  // namespace quorrin
