#include "dialogs/kit/dialog_frame_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/round_region_win32.h"
#include "win32/ui_text_win32.h"

#include <algorithm>
#include <cstdint>

namespace quorrin {

namespace {

// WM_SYSCOMMAND's move, started as if from the caption (SC_MOVE | HTCAPTION): the system's
// move loop then follows the mouse while the left button is held.
constexpr WPARAM kMoveFromCaption = SC_MOVE | HTCAPTION;

// The non-client frame: exactly the strips the dialog region cuts away (at 96 dpi, scaled
// with it). A rounded-rectangle region ends one pixel short of its right coordinate, hence
// one more pixel in the right strip at every DPI.
constexpr int kRegionRightEdgePixels = 1;

}  // namespace

DialogFrame::DialogFrame() : look_(std::make_unique<DialogLook>()) {}

DialogFrame::~DialogFrame() = default;

RECT DialogFrame::FramePixels(int32_t dpi) const {
    const int side = ScalePixels(kDialogRegionSidePixels, dpi);
    return {side, ScalePixels(kDialogRegionTopPixels, dpi), side + kRegionRightEdgePixels, 0};
}

SIZE DialogFrame::WindowPixels(int32_t dpi) const {
    const RECT frame = FramePixels(dpi);
    return {frame.left + TwipsToPixels(clientWidthTwips_, dpi) + frame.right,
            frame.top + TwipsToPixels(clientHeightTwips_, dpi) + frame.bottom};
}

std::unique_ptr<DialogLook> DialogFrame::MakeLook(int32_t dpi) const {
    auto look = std::make_unique<DialogLook>();
    look->Make(dpi,
               SIZE{TwipsToPixels(clientWidthTwips_, dpi), TwipsToPixels(clientHeightTwips_, dpi)},
               TwipsToPixels(kDialogTitleHeightTwips, dpi));
    return look;
}

int32_t DialogFrame::OpeningDpi() { return DpiAtPoint(POINT{0, 0}); }

bool DialogFrame::CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame) {
    clientWidthTwips_ = frame.clientWidthTwips;
    clientHeightTwips_ = frame.clientHeightTwips;
    // The dialog opens in the middle of the primary monitor, at that monitor's DPI.
    const int32_t dpi = OpeningDpi();
    look_ = MakeLook(dpi);
    StartLayout(instance, dpi, *look_);

    const int clientWidth = TwipsToPixels(frame.clientWidthTwips, dpi);
    const int clientHeight = TwipsToPixels(frame.clientHeightTwips, dpi);
    const RECT strips = FramePixels(dpi);
    const SIZE window = WindowPixels(dpi);
    WindowClassSpec windowClass;
    windowClass.className = frame.className;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    WindowPlacement placement;
    // A tool window without an owner has no task-bar button. The caption gives the system
    // menu (Alt+F4, Alt+Space); it lies in the strip the region cuts away. Tab moves
    // between the children (WS_EX_CONTROLPARENT).
    placement.exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    placement.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const std::wstring caption = UiText(frame.caption);
    placement.title = caption.c_str();
    placement.owner = frame.owner;
    // The frame is exactly the strip the region cuts away (see OnNcCalcSize); the client
    // area, which is what shows, is centred on the screen.
    placement.width = window.cx;
    placement.height = window.cy;
    placement.left = (GetSystemMetrics(SM_CXSCREEN) - clientWidth) / 2 - strips.left;
    placement.top = (GetSystemMetrics(SM_CYSCREEN) - clientHeight) / 2 - strips.top;
    if (!CreateFromSpec(instance, windowClass, placement)) return false;

    ApplyRoundRegion(Handle(), RegionShape::Dialog, dpi);
    LayOutOn(Handle());
    AddTitleCaption(kDialogCaptionId, caption, kDialogCaptionTwips);
    MakeCloseButton(frame);
    return true;
}

TwipRect DialogClosePlace(const DialogFrameSpec& frame) {
    TwipRect place{frame.closeLeftTwips.value_or(frame.clientWidthTwips),
                   frame.closeTopTwips.value_or(kDialogCloseTopTwips), kDialogCloseWidthTwips,
                   kDialogCloseHeightTwips};
    // A close button placed past the right edge would lose its border: pull it inside, as far
    // from the edge as it is from the top.
    place.left = std::min(place.left, frame.clientWidthTwips - place.width - place.top);
    return place;
}

TwipRect DialogCancelPlace(const DialogFrameSpec& frame) {
    const int32_t left = frame.cancelLeftTwips.value_or(
        frame.clientWidthTwips - kDialogButtonsEdgeTwips - kDialogButtonWidthTwips);
    const int32_t top = frame.buttonsTopTwips.value_or(
        frame.clientHeightTwips - kDialogButtonsEdgeTwips - kDialogButtonHeightTwips);
    return {left, top, kDialogButtonWidthTwips, kDialogButtonHeightTwips};
}

TwipRect DialogSavePlace(const DialogFrameSpec& frame) {
    TwipRect place = DialogCancelPlace(frame);
    place.left = frame.saveLeftTwips.value_or(place.left - kDialogButtonsEdgeTwips -
                                              kDialogButtonWidthTwips);
    return place;
}

void DialogFrame::MakeCloseButton(const DialogFrameSpec& frame) {
    ImageButton* close =
        AddButton(kDialogCloseId, kDialogCloseCaption, DialogClosePlace(frame), kAccentOverColor);
    if (close == nullptr) return;
    close->SetToolTip(UiText(TextId::DialogCloseTip));
    // Part of the title bar, like the system's close box: Esc and Alt+F4 reach it from the
    // keyboard, Tab passes it by.
    const HWND button = close->Handle();
    SetWindowLongPtrW(button, GWL_STYLE, GetWindowLongPtrW(button, GWL_STYLE) & ~WS_TABSTOP);
}

void DialogFrame::ShowFrame() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

LRESULT DialogFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            return OnNcCalcSize(wParam, lParam);
        case WM_DPICHANGED:
            return OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_DISPLAYCHANGE:
            return OnDisplayChange();
        case WM_GETDPISCALEDSIZE:
            return OnGetDpiScaledSize(static_cast<int32_t>(wParam),
                                      reinterpret_cast<SIZE*>(lParam));
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_PRINTCLIENT:
            // Asked by themed controls for the background behind them, and by PrintWindow.
            look_->Paint(reinterpret_cast<HDC>(wParam), ClientPixels());
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(look_->Font());
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(lParam);
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            return OnLeftButtonEnd();
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT DialogFrame::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    // The non-client frame is exactly the strip the dialog region cuts away, whatever the
    // system's caption and border sizes: the visible part of the dialog is its whole client
    // area on every system, and the system caption never shows.
    RECT& r = wParam != FALSE ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : *reinterpret_cast<RECT*>(lParam);
    const RECT strips = FramePixels(Dpi());
    r.left += strips.left;
    r.right -= strips.right;
    r.top += strips.top;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return 0;
}

LRESULT DialogFrame::OnGetDpiScaledSize(int32_t dpi, SIZE* size) const {
    // The frame is not the system's: the size at the new DPI is the frame's own, so that
    // the rectangle WM_DPICHANGED suggests is exactly it.
    if (size == nullptr || dpi <= 0) return FALSE;
    *size = WindowPixels(dpi);
    return TRUE;
}

LRESULT DialogFrame::OnDisplayChange() {
    // A system that sends no WM_DPICHANGED (before Windows 8.1, or a system-aware run) may
    // still report a new DPI for the window after the display settings changed: keep the
    // dialog's centre and take the size for that DPI.
    const int32_t dpi = WindowDpi(Handle());
    if (dpi == Dpi()) return 0;
    RECT now{};
    GetWindowRect(Handle(), &now);
    const SIZE size = WindowPixels(dpi);
    const LONG centreX = (now.left + now.right) / 2;
    const LONG centreY = (now.top + now.bottom) / 2;
    const RECT rect{centreX - size.cx / 2, centreY - size.cy / 2, centreX - size.cx / 2 + size.cx,
                    centreY - size.cy / 2 + size.cy};
    return OnDpiChanged(dpi, rect);
}

LRESULT DialogFrame::OnDpiChanged(int32_t dpi, const RECT& suggested) {
    if (dpi <= 0) return 0;
    // The old fonts stay selected in the children until each has its new one.
    const std::unique_ptr<DialogLook> old = std::move(look_);
    look_ = MakeLook(dpi);
    // The children first, so that the frame strips the resize asks for are those at `dpi`.
    LayOutAgain(dpi, *old, *look_);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyRoundRegion(Handle(), RegionShape::Dialog, dpi);
    OnDpiLayout();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT DialogFrame::OnPaint() {
    PaintScope paint(Handle());
    look_->Paint(paint.Dc(), ClientPixels());
    return 0;
}

LRESULT DialogFrame::OnControlColor(HDC dc, HWND control) {
    return look_->ControlColor(dc, control, Handle(), GetDlgCtrlID(control) == kDialogCaptionId);
}

LRESULT DialogFrame::OnLeftButtonDown(LPARAM point) {
    // Held on the title bar: the next move drags, even one that has already left the title
    // bar by the time it arrives (moves are merged while the program is busy).
    if (OnTitleBar(point)) {
        pressedOnTitle_ = true;
        SetCapture(Handle());
    }
    return 0;
}

LRESULT DialogFrame::OnLeftButtonEnd() {
    if (pressedOnTitle_) {
        pressedOnTitle_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
    }
    return 0;
}

LRESULT DialogFrame::OnMouseMove(WPARAM buttons, LPARAM point) {
    // Only with the left button held: without it the system's move loop would take the
    // dialog along with the pointer until the next click.
    if ((buttons & MK_LBUTTON) != 0 && (pressedOnTitle_ || OnTitleBar(point))) DragByTitle();
    return 0;
}

void DialogFrame::DragByTitle() {
    pressedOnTitle_ = false;
    // The move loop tracks the mouse itself; it must not find the capture held here.
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, kMoveFromCaption, 0);
}

bool DialogFrame::OnTitleBar(LPARAM point) const {
    const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const RECT title{0, 0, Pixels(clientWidthTwips_), Pixels(kDialogTitleHeightTwips)};
    return PtInRect(&title, at) != FALSE;
}

RECT DialogFrame::ClientPixels() const {
    return {0, 0, Pixels(clientWidthTwips_), Pixels(clientHeightTwips_)};
}

}  // namespace quorrin
