#include "app/app_controller_win32.h"

#include "app/app_resources_win32.h"
#include "autostart/autostart_win32.h"
#include "clock/monitors_win32.h"
#include "detection/show_watch.h"
#include "settings/save_failure_log_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/message_box_win32.h"
#include "win32/system_error_text_win32.h"
#include "win32/wide_text_win32.h"

namespace quorrin {

namespace {

constexpr UINT_PTR TimerId(ClockTimer timer) { return static_cast<UINT_PTR>(timer); }

}  // namespace

AppController::AppController(AppState& state, WindowWalk& walk, ConfigFile& config)
    : state_(state),
      walk_(walk),
      config_(config),
      clock_(state, *this),
      view_(state, config, clock_, clock_.Copies()),
      engine_(state, view_),
      normalSet_(state, config, *this),
      setTime_(state, config, *this),
      styleSet_(state, config, *this, *this),
      talkSet_(state, config, *this, [this](int32_t key) { return showKeys_.Holds(key); }),
      about_(state, *this) {}

AppController::~AppController() {
    if (clock_.Handle() == nullptr) return;
    KillTimer(clock_.Handle(), TimerId(ClockTimer::Main));
    KillTimer(clock_.Handle(), TimerId(ClockTimer::Watch));
}

bool AppController::Start(HINSTANCE instance) {
    instance_ = instance;
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
    if (!clock_.Create(instance, icon, MonitorDpis(state_))) return false;
    const bool reported = walk_.ReportChanges([this] { QueueWatch(); });
    if (!reported) LogDebug(L"slide-show watch", L"no window events: a pass every 100 ms");
    const UINT intervalMs = reported ? kFallbackWatchIntervalMs : kWatchIntervalMs;
    if (SetTimer(clock_.Handle(), TimerId(ClockTimer::Main), intervalMs, nullptr) == 0) {
        LogLastError(L"slide-show watch", L"SetTimer");
        return false;
    }
    // Events tell only what changes from now on: a show already up is found by this pass.
    QueueWatch();
    AddTrayIcon();
    return true;
}

void AppController::AddTrayIcon() {
    // Sent to every top-level window when the shell (and with it the notification area)
    // starts again: the icon must then be added anew.
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    // A refusal is logged; the icon comes when the shell next sends TaskbarCreated.
    if (!tray_.Add(clock_.Handle(), instance_, kAppIconId, UiText(TextId::AppName))) return;
    tray_.ShowBalloon(UiText(TextId::AppName), UiText(TextId::BalloonRunning));
}

void AppController::OnClockTimer(ClockTimer timer) {
    switch (timer) {
        case ClockTimer::Main:
            // A countdown whose step timer could not be set steps here, and tries again.
            if (view_.StepTimerMissing()) engine_.OnStepTimer(MonotonicNow());
            Watch();
            break;
        case ClockTimer::Step:
            engine_.OnStepTimer(MonotonicNow());
            break;
        case ClockTimer::Flash:
            engine_.OnFlashTimer();
            break;
        case ClockTimer::Watch:
            KillTimer(clock_.Handle(), TimerId(ClockTimer::Watch));
            OnWatchQueued();
            break;
    }
}

bool AppController::OnProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWatchPassMessage) {
        OnWatchQueued();
        return true;
    }
    if (message == WM_HOTKEY) {
        if (const std::optional<ShowKey> key = ShowKeys::FromId(wParam)) OnShowKey(*key);
        return true;
    }
    if (message == kTrayCallbackMessage) {
        OnTrayIcon(static_cast<uint32_t>(LOWORD(lParam)));
        return true;
    }
    if (message == taskbarCreatedMessage_ && message != 0) {
        tray_.Restore();  // a failure is logged
        return true;
    }
    return false;
}

void AppController::OnTrayIcon(uint32_t iconEvent) {
    if (!IconEventOpensMenu(iconEvent)) return;
    POINT at{};
    GetCursorPos(&at);
    OnMenuRequested(at);
}

void AppController::OnMenuRequested(POINT screenPoint) {
    // Built anew each time, in the language chosen last.
    if (!menu_.Create(state_.Ui.Language)) {
        LogLastError(L"the tray menu");
        return;
    }
    ShowAutostartInMenu();
    if (const std::optional<TrayMenuEntry> entry = menu_.PopUp(clock_.Handle(), screenPoint)) {
        OnMenuEntry(*entry);
    }
}

void AppController::OnMenuEntry(TrayMenuEntry entry) {
    switch (entry) {
        case TrayMenuEntry::Exit:
            clock_.Destroy();
            break;
        case TrayMenuEntry::SoundSettings:
            OpenDialog(normalSet_);
            break;
        case TrayMenuEntry::TimingSettings:
            OpenDialog(setTime_);
            break;
        case TrayMenuEntry::StyleSettings:
            OpenDialog(styleSet_);
            break;
        case TrayMenuEntry::TalkSettings:
            OpenDialog(talkSet_);
            break;
        case TrayMenuEntry::StartWithWindows:
            ToggleAutostart();
            break;
        case TrayMenuEntry::About:
            OpenDialog(about_);
            break;
        case TrayMenuEntry::LanguageAuto:
        case TrayMenuEntry::LanguageChinese:
        case TrayMenuEntry::LanguageEnglish:
            OnLanguageChosen(*LanguageOfEntry(entry));
            break;
        case TrayMenuEntry::Separator:
        case TrayMenuEntry::Languages:
            break;
    }
}

// Kept in [UI]; the menu and every dialog opened from now on speak the new language.
void AppController::OnLanguageChosen(LanguageSetting language) {
    if (language == state_.Ui.Language) return;
    if (const FileStatus saved = config_.SaveLanguage(language); !saved) {
        ShowSaveFailed(nullptr, config_.Path(), config_.DescribeFailure(saved));
    }
}

// Read each time the menu opens, so that the tick follows the registry whoever changed it.
void AppController::ShowAutostartInMenu() {
    const AutostartChoice choice = CurrentAutostart();
    menu_.SetLook(TrayMenuEntry::StartWithWindows,
                  {.captionUtf8 = AutostartMenuCaption(choice.block),
                   .checked = choice.startsThisCopy,
                   .grayed = choice.block != AutostartBlock::None});
}

void AppController::ToggleAutostart() {
    // The registry again: it may have changed while the menu was open.
    const AutostartChoice choice = CurrentAutostart();
    if (choice.block != AutostartBlock::None) return;
    if (const LSTATUS status = SetAutostart(!choice.startsThisCopy); status != ERROR_SUCCESS) {
        ShowMessage(nullptr, std::string(Text(TextId::AutostartFailed)) +
                                 WideToUtf8(SystemErrorText(status)));
    }
    about_.ShowAutostart();
}

void AppController::OpenDialog(SettingsDialog& dialog) {
    const bool wasOpen = dialog.IsOpen();
    // An open dialog is only brought forward.
    if (dialog.Open(instance_) && !wasOpen) lifetime_.DialogOpened();
}

void AppController::DialogClosed() {
    // Keys changed in 放映控制 during a show are taken at once.
    if (state_.Countdown.ShowActive && state_.Talk != keysTakenWith_) TakeShowKeys();
    lifetime_.DialogClosed();
    EndIfDone();
}

void AppController::EndIfDone() {
    if (lifetime_.MayEnd()) PostQuitMessage(0);
}

void AppController::OnClockDragged() {
    if (const FileStatus saved = config_.SaveStyle(state_.Style); !saved) {
        LogSaveFailure(L"saving the dragged clock's place", config_, saved);
    }
}

// The copies on the other monitors stay up for the audience.
void AppController::HideMainClock() { view_.HidePrimaryClock(); }

void AppController::ShowMainClock() {
    // A clock the presenter hid stays hidden when a dialog closes.
    if (engine_.HiddenByPresenter()) return;
    view_.ShowPrimaryClock();
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
    view_.LayoutWindows();
    tray_.UpdateIcon(WindowDpi(clock_.Handle()));
    relayingOut_ = false;
}

void AppController::OnClockClosing() {
    closing_ = true;
    KillTimer(clock_.Handle(), TimerId(ClockTimer::Main));
    KillTimer(clock_.Handle(), TimerId(ClockTimer::Watch));
    showKeys_.Release();
    engine_.Stop();
    tray_.Remove();
    lifetime_.ClockClosed();
    EndIfDone();
}

void AppController::QueueWatch() {
    if (watchQueued_ || closing_ || clock_.Handle() == nullptr) return;
    const Millis sinceLast = MonotonicNow() - lastWatchAt_;
    if (sinceLast >= kMinWatchGapMs) {
        watchQueued_ = PostMessageW(clock_.Handle(), kWatchPassMessage, 0, 0) != FALSE;
    } else {
        const auto delayMs = static_cast<UINT>(kMinWatchGapMs - sinceLast);
        watchQueued_ = SetTimer(clock_.Handle(), TimerId(ClockTimer::Watch), delayMs, nullptr) != 0;
    }
    // Not queued: the fallback pass comes within a second.
    if (!watchQueued_)
        LogLastError(L"queuing a slide-show watch pass", L"PostMessageW or SetTimer");
}

// Only these passes count for the gap: a change just after a fallback pass is not held back.
void AppController::OnWatchQueued() {
    watchQueued_ = false;
    lastWatchAt_ = MonotonicNow();
    Watch();
}

void AppController::Watch() {
    const WindowId show = FindSlideShow(state_, walk_);
    walk_.Track(show);
    switch (UpdateShowActive(state_.Countdown, show)) {
        case ShowChange::Started:
            OnShowStarted();
            break;
        case ShowChange::Ended:
            OnShowEnded();
            break;
        case ShowChange::None:
            break;
    }
}

void AppController::OnShowStarted() {
    LogDebug(L"slide show started", Utf8ToWide(state_.Countdown.LastShowTitle));
    // A monitor plugged in since the last show is used by this one.
    RecordMonitorWorkAreas(state_);
    engine_.Start(MonotonicNow());
    TakeShowKeys();
}

void AppController::OnShowEnded() {
    LogDebug(L"slide show ended", Utf8ToWide(state_.Countdown.LastShowTitle));
    showKeys_.Release();
    engine_.Stop();
}

void AppController::TakeShowKeys() {
    showKeys_.Release();
    keysTakenWith_ = state_.Talk;
    if (!state_.Talk.Keys) return;
    const std::vector<int32_t> taken = showKeys_.Register(clock_.Handle(), state_.Talk);
    if (taken.empty()) return;
    std::wstring names;
    for (const int32_t key : taken) {
        if (!names.empty()) names += UiText(TextId::KeyNameSeparator);
        names += Utf8ToWide(HotKeyToText(key));
    }
    tray_.ShowBalloon(UiText(TextId::AppName), UiText(TextId::BalloonKeysTaken) + names);
}

void AppController::OnShowKey(ShowKey key) {
    switch (key) {
        case ShowKey::Pause:
            engine_.TogglePause(MonotonicNow());
            break;
        case ShowKey::MinuteMore:
            engine_.AddTime(kAdjustStepSeconds);
            break;
        case ShowKey::MinuteLess:
            engine_.AddTime(-kAdjustStepSeconds);
            break;
        case ShowKey::Hide:
            engine_.ToggleHidden();
            break;
    }
}

}  // namespace quorrin
