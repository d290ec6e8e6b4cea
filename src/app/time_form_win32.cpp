#include "app/time_form_win32.h"

#include "app/app_resources_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "clock/monitors_win32.h"
#include "detection/show_watch.h"
#include "settings/save_failure_log_win32.h"
#include "win32/wide_text_win32.h"

#include <windowsx.h>

namespace quorrin {

namespace {

constexpr UINT_PTR TimerId(ClockTimer timer) { return static_cast<UINT_PTR>(timer); }

POINT PointOf(LPARAM point) { return {GET_X_LPARAM(point), GET_Y_LPARAM(point)}; }

constexpr const wchar_t* kTrayTip = L"Quorrin";
constexpr const wchar_t* kBalloonTitle = L"Quorrin";
constexpr const wchar_t* kBalloonText = L"程序已经运行！";

}  // namespace

TimeForm::TimeForm(AppState& state, WindowWalk& walk, ConfigFile& config)
    : CountdownWindow(ClockWindow::Main),
      state_(state),
      walk_(walk),
      config_(config),
      view_(state, config, *this, copy_),
      engine_(state, view_),
      normalSet_(state, config, *this, [this] { OnDialogClosed(); }),
      setTime_(state, config, [this] { OnDialogClosed(); }),
      styleSet_(state, config, *this, *this, [this] { OnDialogClosed(); }) {}

TimeForm::~TimeForm() {
    if (Handle() != nullptr) KillTimer(Handle(), TimerId(ClockTimer::Main));
}

bool TimeForm::Create(HINSTANCE instance) {
    instance_ = instance;
    const ClockDpis dpis = MonitorDpis(state_);
    if (!copy_.Create(instance, kTimeFormCopyClassName, nullptr, state_.Style, dpis.primary)) {
        LogDebug(L"clock copy", L"not created; the clock shows on the primary monitor only");
    }
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
    if (!CountdownWindow::Create(instance, kTimeFormClassName, icon, state_.Style, dpis.primary)) {
        return false;
    }
    // A new DPI on either monitor, or a new display configuration, lays both clocks out
    // again (a monitor may have come or gone).
    OnDisplayChange([this] { OnDisplaySettingsChanged(); });
    copy_.OnDisplayChange([this] { OnDisplaySettingsChanged(); });
    if (SetTimer(Handle(), TimerId(ClockTimer::Main), kMainTimerIntervalMs, nullptr) == 0) {
        LogLastError(L"SetTimer for the slide-show watch");
        return false;
    }
    if (!menu_.Create()) LogLastError(L"the tray menu");
    AddTrayIcon(instance);
    return true;
}

void TimeForm::AddTrayIcon(HINSTANCE instance) {
    // Sent to every top-level window when the shell (and with it the notification area)
    // starts again: the icon must then be added anew.
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (!tray_.Add(Handle(), instance, kAppIconId, kTrayTip)) {
        LogDebug(L"tray icon", L"the notification area refused the icon");
        return;
    }
    tray_.ShowBalloon(kBalloonTitle, kBalloonText);
}

LRESULT TimeForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreatedMessage_ && message != 0) return OnTaskbarCreated();
    switch (message) {
        case WM_TIMER:
            return OnTimer(wParam);
        case kTrayCallbackMessage:
            return OnTrayIcon(lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return OnButtonDown(lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnButtonUp(message, lParam);
        case WM_CAPTURECHANGED:
            return OnCaptureChanged();
        case WM_CLOSE:
            return OnClose();
        case WM_ENDSESSION:
            return OnEndSession(wParam);
        case WM_DESTROY:
            return OnDestroy();
        case WM_DISPLAYCHANGE:
            OnDisplaySettingsChanged();
            return 0;
        default:
            return CountdownWindow::HandleMessage(message, wParam, lParam);
    }
}

LRESULT TimeForm::OnTimer(WPARAM timerId) {
    switch (static_cast<ClockTimer>(timerId)) {
        case ClockTimer::Main:
            MainTimer();
            break;
        case ClockTimer::Step:
            engine_.OnStepTimer(MonotonicNow());
            break;
        case ClockTimer::Flash:
            engine_.OnFlashTimer();
            break;
    }
    return 0;
}

LRESULT TimeForm::OnTrayIcon(LPARAM iconEvent) {
    if (IconEventOpensMenu(static_cast<uint32_t>(LOWORD(iconEvent)))) {
        POINT at{};
        GetCursorPos(&at);
        OpenMenu(at);
    }
    return 0;
}

LRESULT TimeForm::OnTaskbarCreated() {
    if (!tray_.Restore()) LogDebug(L"tray icon", L"not restored after the shell restarted");
    return 0;
}

LRESULT TimeForm::OnButtonDown(LPARAM point) {
    dragging_ = true;
    dragFrom_ = PointOf(point);
    // The release must reach this window even when the pointer has left it.
    SetCapture(Handle());
    return 0;
}

LRESULT TimeForm::OnMouseMove(WPARAM buttons, LPARAM point) {
    // Only a drag with the left button alone moves the clock.
    if (!dragging_ || (buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != MK_LBUTTON) return 0;
    const POINT at = PointOf(point);
    const PixelRect now = RectPixels();
    const int32_t leftPixels = now.left + (at.x - dragFrom_.x);
    const int32_t topPixels = now.top + (at.y - dragFrom_.y);
    if (leftPixels == now.left && topPixels == now.top) return 0;
    // The place in twips at the DPI the clock is laid out at: converted back at the same
    // DPI it gives the same pixel, so a saved drag comes back exactly after a restart. Kept
    // before the moves, so that a layout they set off (a new DPI) uses it too.
    const int32_t dpi = Dpi();
    const int32_t left = PixelsToTwips(leftPixels, dpi);
    const int32_t top = PixelsToTwips(topPixels, dpi);
    state_.Style.Left = left;
    state_.Style.Top = top;
    MoveTo(leftPixels, topPixels);
    int32_t copyLeft = 0;
    int32_t copyTop = 0;
    MapToSecondMonitor(state_.PrimaryWorkArea, state_.SecondWorkArea, left, top,
                       PixelsToTwips(now.width, dpi), copyLeft, copyTop, view_.Dpis());
    copy_.MoveTo(TwipsToPixels(copyLeft, copy_.Dpi()), TwipsToPixels(copyTop, copy_.Dpi()));
    return 0;
}

LRESULT TimeForm::OnButtonUp(UINT message, LPARAM point) {
    EndDrag();
    if (GetCapture() == Handle()) ReleaseCapture();
    if (message == WM_RBUTTONUP) {
        POINT screen = PointOf(point);
        ClientToScreen(Handle(), &screen);
        OpenMenu(screen);
    }
    return 0;
}

LRESULT TimeForm::OnCaptureChanged() {
    // Capture taken away mid-drag (another window, a menu): keep where the clock got to.
    EndDrag();
    return 0;
}

void TimeForm::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    const FileStatus saved = config_.SaveStyle(state_.Style);
    if (!saved) LogSaveFailure(L"saving the dragged clock's place", config_, saved);
}

void TimeForm::OpenMenu(POINT screenPoint) {
    if (const std::optional<TrayMenuEntry> entry = menu_.PopUp(Handle(), screenPoint)) {
        OnMenuEntry(*entry);
    }
}

void TimeForm::OnMenuEntry(TrayMenuEntry entry) {
    switch (entry) {
        case TrayMenuEntry::Exit:
            Destroy();
            break;
        case TrayMenuEntry::SoundSettings:
            OpenSoundSettings();
            break;
        case TrayMenuEntry::TimingSettings:
            OpenTimingSettings();
            break;
        case TrayMenuEntry::StyleSettings:
            OpenStyleSettings();
            break;
    }
}

void TimeForm::OpenSoundSettings() {
    const bool wasOpen = normalSet_.IsOpen();
    // An open dialog is only brought forward.
    if (normalSet_.Open(instance_) && !wasOpen) lifetime_.DialogOpened();
}

void TimeForm::OpenTimingSettings() {
    const bool wasOpen = setTime_.IsOpen();
    if (setTime_.Open(instance_) && !wasOpen) lifetime_.DialogOpened();
}

void TimeForm::OpenStyleSettings() {
    const bool wasOpen = styleSet_.IsOpen();
    if (styleSet_.Open(instance_) && !wasOpen) lifetime_.DialogOpened();
}

void TimeForm::OnDialogClosed() {
    lifetime_.DialogClosed();
    EndIfDone();
}

void TimeForm::EndIfDone() {
    if (lifetime_.MayEnd()) PostQuitMessage(0);
}

// With one monitor the copy lies on the clock, so it goes and comes back with it; on a
// second monitor it stays up for the audience.
bool TimeForm::CopyOnPrimaryMonitor() const {
    return state_.SecondWorkArea == state_.PrimaryWorkArea;
}

void TimeForm::HideMainClock() {
    Hide();
    if (CopyOnPrimaryMonitor()) copy_.Hide();
}

void TimeForm::ShowMainClock() {
    if (CopyOnPrimaryMonitor()) copy_.ShowOnTop();
    ShowOnTop();
}

TwipRect TimeForm::MainClockRect() const {
    // At the DPI the clock is laid out at, as a drag stores it.
    const PixelRect r = RectPixels();
    const int32_t dpi = Dpi();
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi), PixelsToTwips(r.width, dpi),
            PixelsToTwips(r.height, dpi)};
}

// SetTimeFormPos on both windows, in and out of a show: a new style shows at once.
void TimeForm::LayOutClocks() { view_.LayoutWindows(); }

LRESULT TimeForm::OnClose() {
    DestroyWindow(Handle());
    return 0;
}

LRESULT TimeForm::OnEndSession(WPARAM ending) {
    // The session ends without further messages once this returns: leave now.
    if (ending != FALSE) DestroyWindow(Handle());
    return 0;
}

LRESULT TimeForm::OnDestroy() {
    KillTimer(Handle(), TimerId(ClockTimer::Main));
    engine_.Stop();
    tray_.Remove();
    copy_.Destroy();
    lifetime_.ClockClosed();
    EndIfDone();
    return 0;
}

void TimeForm::MainTimer() {
    const WindowId show = FindSlideShow(state_, walk_);
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

void TimeForm::OnDisplaySettingsChanged() {
    // Laying out moves the copy, which may bring it to a monitor of another DPI and so back
    // here; the layout under way already uses that monitor's DPI.
    if (relayingOut_) return;
    relayingOut_ = true;
    RecordMonitorWorkAreas(state_);
    view_.LayoutWindows();
    tray_.UpdateIcon(WindowDpi(Handle()));
    relayingOut_ = false;
}

void TimeForm::OnShowStarted() {
    LogDebug(L"slide show started", Utf8ToWide(state_.Countdown.LastShowTitle));
    // A monitor plugged in since the last show is used by this one.
    RecordMonitorWorkAreas(state_);
    engine_.Start(MonotonicNow());
}

void TimeForm::OnShowEnded() {
    LogDebug(L"slide show ended", Utf8ToWide(state_.Countdown.LastShowTitle));
    engine_.Stop();
}

}  // namespace quorrin
