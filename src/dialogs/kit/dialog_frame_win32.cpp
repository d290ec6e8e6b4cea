#include "dialogs/kit/dialog_frame_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/dib_section_win32.h"
#include "win32/round_region_win32.h"

#include <algorithm>
#include <array>
#include <string>
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

constexpr int kFontPoints = 9;
// The first face the system has: the UI face of newer systems, the one of older ones, and
// the face every Chinese system has.
constexpr std::array<const wchar_t*, 3> kFontFaces = {L"Microsoft YaHei UI", L"微软雅黑", L"宋体"};

// The pictures: a blue title bar and a light background with a thin edge.
constexpr COLORREF kTitleTopColor = RGB(79, 141, 216);
constexpr COLORREF kTitleBottomColor = RGB(46, 100, 173);
constexpr COLORREF kTitleEdgeColor = RGB(33, 79, 142);
constexpr COLORREF kBackTopColor = RGB(251, 252, 254);
constexpr COLORREF kBackBottomColor = RGB(226, 233, 243);
constexpr COLORREF kBorderColor = RGB(146, 164, 190);
constexpr COLORREF kCaptionTextColor = RGB(255, 255, 255);
constexpr COLORREF kTextColor = RGB(33, 37, 41);

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 0;  // one is enough
}

bool FaceExists(HDC dc, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExW(dc, &wanted, &CountFace, reinterpret_cast<LPARAM>(&count), 0);
    return count > 0;
}

// The first Chinese UI face installed; the font mapper picks a Chinese face when none of
// them is there.
const wchar_t* DialogFace(HDC dc) {
    for (const wchar_t* candidate : kFontFaces) {
        if (FaceExists(dc, candidate)) return candidate;
    }
    return kFontFaces.back();
}

UniqueFont MakeFont(const wchar_t* face, int heightPixels, int weight) {
    WindowDcScope screen(nullptr);
    if (face == nullptr) face = DialogFace(screen.Dc());
    LOGFONTW font{};
    font.lfHeight = -heightPixels;
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created) LogLastError(L"DialogFrame: CreateFontIndirectW");
    return created;
}

// 9-point text at `dpi` in the dialog face.
UniqueFont MakeDialogFont(int weight, int32_t dpi) {
    return MakeFont(nullptr, PointsToPixels(kFontPoints, dpi), weight);
}

// A 32-bit DIB pixel (blue in the low byte) for a COLORREF (red in the low byte).
uint32_t DibPixel(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) |
           (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

// The colour `step` of `steps` between `from` and `to`.
COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    if (steps <= 1) return from;
    const auto mix = [&](int a, int b) { return a + (b - a) * step / (steps - 1); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

// Title bar and background in one picture of the client area: vertical gradients, a
// darker line under the title bar, and a thin edge round the rest.
UniqueBitmap DrawBackdrop(int width, int height, int titleHeight) {
    DibSection dib = MakeDibSection(width, height);
    if (!dib) return UniqueBitmap();
    uint32_t* pixels = dib.pixels;
    const int title = std::clamp(titleHeight, 0, height);
    for (int y = 0; y < height; ++y) {
        COLORREF row;
        if (y < title - 1) {
            row = Blend(kTitleTopColor, kTitleBottomColor, y, title - 1);
        } else if (y == title - 1) {
            row = kTitleEdgeColor;
        } else {
            row = Blend(kBackTopColor, kBackBottomColor, y - title, height - title);
        }
        uint32_t* line = pixels + static_cast<size_t>(y) * width;
        std::fill(line, line + width, DibPixel(row));
        if (y >= title) {
            line[0] = DibPixel(kBorderColor);
            line[width - 1] = DibPixel(kBorderColor);
        }
    }
    std::fill(pixels + static_cast<size_t>(height - 1) * width,
              pixels + static_cast<size_t>(height) * width, DibPixel(kBorderColor));
    GdiFlush();
    return std::move(dib.bitmap);
}

}  // namespace

struct DialogFrame::Looks {
    UniqueFont font;         // every text
    UniqueFont captionFont;  // the caption on the title bar
    UniqueBitmap backdrop;   // ImgTitle over Img_Bg, client-sized
    UniqueBrush backdropBrush;
};

DialogFrame::DialogFrame() : looks_(std::make_unique<Looks>()) {}

DialogFrame::~DialogFrame() = default;

RECT DialogFrame::PixelsOf(const TwipRect& place) const {
    return WinRect(TwipsToPixels(place, dpi_));
}

RECT DialogFrame::FramePixels(int32_t dpi) const {
    const int side = ScalePixels(kDialogRegionSidePixels, dpi);
    return {side, ScalePixels(kDialogRegionTopPixels, dpi), side + kRegionRightEdgePixels, 0};
}

SIZE DialogFrame::WindowPixels(int32_t dpi) const {
    const RECT frame = FramePixels(dpi);
    return {frame.left + TwipsToPixels(clientWidthTwips_, dpi) + frame.right,
            frame.top + TwipsToPixels(clientHeightTwips_, dpi) + frame.bottom};
}

void DialogFrame::MakeLooks() {
    looks_->font = MakeDialogFont(FW_NORMAL, dpi_);
    looks_->captionFont = MakeDialogFont(FW_BOLD, dpi_);
    const RECT client = ClientPixels();
    looks_->backdrop = DrawBackdrop(client.right, client.bottom, Pixels(kDialogTitleHeightTwips));
    looks_->backdropBrush.Reset(looks_->backdrop ? CreatePatternBrush(looks_->backdrop.Get())
                                                 : CreateSolidBrush(kBackTopColor));
}

bool DialogFrame::CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame) {
    instance_ = instance;
    captionLabelId_ = frame.captionLabelId;
    clientWidthTwips_ = frame.clientWidthTwips;
    clientHeightTwips_ = frame.clientHeightTwips;
    // Children and fonts of an earlier opening: their windows went with it.
    buttons_.clear();
    placed_.clear();
    fonts_.clear();
    // The dialog opens in the middle of the primary monitor, at that monitor's DPI.
    dpi_ = DpiAtPoint(POINT{0, 0});

    const int clientWidth = Pixels(frame.clientWidthTwips);
    const int clientHeight = Pixels(frame.clientHeightTwips);
    const RECT strips = FramePixels(dpi_);
    const SIZE window = WindowPixels(dpi_);
    WindowClassSpec windowClass;
    windowClass.className = frame.className;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    WindowPlacement placement;
    // A tool window without an owner has no task-bar button. The caption gives the system
    // menu (Alt+F4, Alt+Space); it lies in the strip the region cuts away.
    placement.exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    placement.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    placement.title = frame.caption.c_str();
    placement.owner = frame.owner;
    // The frame is exactly the strip the region cuts away (see OnNcCalcSize); the client
    // area, which is what shows, is centred on the screen.
    placement.width = window.cx;
    placement.height = window.cy;
    placement.left = (GetSystemMetrics(SM_CXSCREEN) - clientWidth) / 2 - strips.left;
    placement.top = (GetSystemMetrics(SM_CYSCREEN) - clientHeight) / 2 - strips.top;
    if (!CreateFromSpec(instance, windowClass, placement)) return false;

    ApplyRoundRegion(Handle(), RegionShape::Dialog, dpi_);
    MakeLooks();
    MakeCaptionLabel(frame);
    // A close button placed past the right edge would lose its border: pull it inside, as far
    // from the edge as it is from the top.
    TwipRect closePlace = frame.closeButtonTwips;
    closePlace.left =
        std::min(closePlace.left, frame.clientWidthTwips - closePlace.width - closePlace.top);
    if (MyButton* close =
            AddButton(frame.closeButtonId, kDialogCloseCaption, closePlace, kAccentOverColor)) {
        close->SetToolTip(kDialogCloseToolTip);
    }
    return true;
}

bool DialogFrame::OpenFrame(HINSTANCE instance, const DialogFrameSpec& frame,
                            const std::function<void()>& fill) {
    if (!IsOpen()) {
        if (!CreateFrame(instance, frame)) return false;
        fill();
    }
    ShowFrame();
    return true;
}

void DialogFrame::ShowFrame() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

void DialogFrame::MakeCaptionLabel(const DialogFrameSpec& frame) {
    if (HWND label = AddPlacedLabel(frame.captionLabelId, frame.caption, frame.captionLabelTwips, 0,
                                    TextFit::Caption)) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->captionFont.Get()), FALSE);
    }
}

TwipRect DialogFrame::FittedPlace(const PlacedChild& child) const {
    if (child.fit == TextFit::None) return child.place;
    wchar_t text[256] = {};
    GetWindowTextW(child.window, text, 256);
    TwipRect place = child.place;
    if (child.fit == TextFit::GrowToText) {
        // One line, never wrapped: a caption a little wider than its design box grows to the
        // right instead of breaking (a 9-point Chinese face is wider than the design assumed).
        const SIZE size = TextPixels(looks_->font.Get(), text);
        place.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(size.cx), dpi_));
        return place;
    }
    // The caption keeps its left edge and sits in the middle of the title bar, which shows
    // whole here (the region cuts away exactly the frame), whatever the font's height.
    const SIZE size = TextPixels(looks_->captionFont.Get(), text);
    place.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(size.cx), dpi_));
    place.height = PixelsToTwips(static_cast<int32_t>(size.cy), dpi_);
    place.top = std::max<int32_t>(0, (kDialogTitleHeightTwips - place.height) / 2);
    return place;
}

SIZE DialogFrame::TextPixels(HFONT font, const std::wstring& text) const {
    SIZE size{};
    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), font);
    GetTextExtentPoint32W(screen.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

HWND DialogFrame::AddCaption(int id, const std::wstring& text, const TwipRect& place) {
    return AddPlacedLabel(id, text, place, SS_LEFTNOWORDWRAP, TextFit::GrowToText);
}

HWND DialogFrame::AddLabel(int id, const std::wstring& text, const TwipRect& place,
                           DWORD extraStyle) {
    return AddPlacedLabel(id, text, place, extraStyle, TextFit::None);
}

void DialogFrame::PlaceChild(HWND child, const TwipRect& place) {
    if (child == nullptr) return;
    placed_.push_back({child, place, TextFit::None});
    const RECT r = PixelsOf(place);
    SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DialogFrame::AddPlacedLabel(int id, const std::wstring& text, const TwipRect& place,
                                 DWORD extraStyle, TextFit fit) {
    const HWND label = CreateWindowExW(
        0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle, 0,
        0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (label == nullptr) {
        LogLastError(L"DialogFrame: label " + std::to_wstring(id));
        return nullptr;
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    placed_.push_back({label, place, fit});
    const RECT r = PixelsOf(FittedPlace(placed_.back()));
    SetWindowPos(label, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return label;
}

HWND DialogFrame::AddCheckBox(int id, const std::wstring& text, const TwipRect& place) {
    return AddControl(id, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, place);
}

HWND DialogFrame::AddControl(int id, const wchar_t* windowClass, const std::wstring& text,
                             DWORD style, const TwipRect& place, DWORD exStyle) {
    const RECT r = PixelsOf(place);
    const HWND control =
        CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control == nullptr) {
        LogLastError(L"DialogFrame: control " + std::to_wstring(id));
        return nullptr;
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    placed_.push_back({control, place, TextFit::None});
    return control;
}

HFONT DialogFrame::AddFont(const wchar_t* face, int32_t heightTwips, int weight) {
    UniqueFont font = MakeFont(face, Pixels(heightTwips), weight);
    if (!font) return nullptr;
    fonts_.push_back({face, heightTwips, weight, std::move(font)});
    return fonts_.back().font.Get();
}

HWND DialogFrame::AddDropDownList(int id, const TwipRect& place) {
    return AddControl(id, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, place);
}

HFONT DialogFrame::DialogFont() const { return looks_->font.Get(); }

MyButton* DialogFrame::AddButton(int id, const std::wstring& caption, const TwipRect& place,
                                 int32_t overColor) {
    auto button = std::make_unique<MyButton>();
    if (!button->Create(instance_, Handle(), id, PixelsOf(place))) {
        LogDebug(L"DialogFrame", L"button " + std::to_wstring(id) + L" not created");
        return nullptr;
    }
    button->SetDpi(dpi_);
    SendMessageW(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    button->SetCaption(caption);
    button->SetOverColor(overColor);
    placed_.push_back({button->Handle(), place, TextFit::None});
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
}

std::wstring DialogFrame::ChildText(int id) const {
    const HWND child = GetDlgItem(Handle(), id);
    if (child == nullptr) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void DialogFrame::SetChildText(int id, const std::wstring& text) {
    SetDlgItemTextW(Handle(), id, text.c_str());
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
            PaintBackdrop(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(looks_->font.Get());
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
    const RECT strips = FramePixels(dpi_);
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
    if (dpi == dpi_) return 0;
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
    dpi_ = dpi;
    // The old fonts stay selected in the children until each has its new one.
    std::unique_ptr<Looks> old = std::move(looks_);
    looks_ = std::make_unique<Looks>();
    MakeLooks();
    std::vector<ExtraFont> oldFonts = std::move(fonts_);
    fonts_.clear();
    for (const ExtraFont& font : oldFonts) AddFont(font.face, font.heightTwips, font.weight);
    // Each child gets the new font made like the one it has.
    const auto newFontFor = [&](HFONT current) {
        if (current == old->captionFont.Get()) return looks_->captionFont.Get();
        for (size_t i = 0; i < oldFonts.size() && i < fonts_.size(); ++i) {
            if (current == oldFonts[i].font.Get()) return fonts_[i].font.Get();
        }
        return looks_->font.Get();
    };
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyRoundRegion(Handle(), RegionShape::Dialog, dpi_);
    for (const auto& button : buttons_) button->SetDpi(dpi_);
    for (const PlacedChild& child : placed_) {
        const HFONT font =
            newFontFor(reinterpret_cast<HFONT>(SendMessageW(child.window, WM_GETFONT, 0, 0)));
        SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const RECT r = PixelsOf(FittedPlace(child));
        SetWindowPos(child.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    OnDpiLayout();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT DialogFrame::OnPaint() {
    PaintScope paint(Handle());
    PaintBackdrop(paint.Dc());
    return 0;
}

void DialogFrame::PaintBackdrop(HDC dc) const {
    const RECT client = ClientPixels();
    if (!looks_->backdrop) {
        FillRect(dc, &client, looks_->backdropBrush.Get());
        return;
    }
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    ScopedSelectObject select(memory.Get(), looks_->backdrop.Get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

LRESULT DialogFrame::OnControlColor(HDC dc, HWND control) {
    // The child paints its background with the backdrop, lined up with where the child
    // sits, so that it looks transparent and still erases its old text properly.
    POINT origin{0, 0};
    MapWindowPoints(control, Handle(), &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetDlgCtrlID(control) == captionLabelId_ ? kCaptionTextColor : kTextColor);
    return reinterpret_cast<LRESULT>(looks_->backdropBrush.Get());
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
    const RECT title = TitleBarPixels();
    return PtInRect(&title, at) != FALSE;
}

RECT DialogFrame::TitleBarPixels() const {
    return {0, 0, Pixels(clientWidthTwips_), Pixels(kDialogTitleHeightTwips)};
}

RECT DialogFrame::ClientPixels() const {
    return {0, 0, Pixels(clientWidthTwips_), Pixels(clientHeightTwips_)};
}

}  // namespace quorrin
