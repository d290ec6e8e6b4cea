#include "dialogs/frame/dialog_frame_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/gdi_scope_win32.h"
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

// The non-client frame: exactly the strips the dialog region cuts away. A rounded-rectangle
// region ends one pixel short of its right coordinate, hence the wider right strip.
constexpr int kFrameLeftPixels = kDialogRegionSidePixels;
constexpr int kFrameRightPixels = kDialogRegionSidePixels + 1;
constexpr int kFrameTopPixels = kDialogRegionTopPixels;

constexpr int kFontPoints = 9;
constexpr int kPointsPerInch = 72;
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

int Pixels(int32_t twips) { return TwipsToPixels(twips); }

RECT PixelRect(const TwipRect& place) {
    const int left = Pixels(place.left);
    const int top = Pixels(place.top);
    return {left, top, left + Pixels(place.width), top + Pixels(place.height)};
}

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

// 9-point text in the first Chinese UI face installed; the font mapper picks a Chinese face
// when none of them is there.
UniqueFont MakeDialogFont(int weight) {
    WindowDcScope screen(nullptr);
    const wchar_t* face = kFontFaces.back();
    for (const wchar_t* candidate : kFontFaces) {
        if (FaceExists(screen.Dc(), candidate)) {
            face = candidate;
            break;
        }
    }
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kFontPoints, GetDeviceCaps(screen.Dc(), LOGPIXELSY), kPointsPerInch);
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created) LogLastError(L"DialogFrame: CreateFontIndirectW");
    return created;
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
    if (width <= 0 || height <= 0) return UniqueBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        LogDebug(L"DialogFrame", L"CreateDIBSection failed");
        return UniqueBitmap();
    }
    auto* pixels = static_cast<uint32_t*>(bits);
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
    return bitmap;
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

bool DialogFrame::CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame) {
    instance_ = instance;
    captionLabelId_ = frame.captionLabelId;
    clientWidthTwips_ = frame.clientWidthTwips;
    clientHeightTwips_ = frame.clientHeightTwips;
    // Buttons of an earlier opening: their windows went with it.
    buttons_.clear();

    const int clientWidth = Pixels(frame.clientWidthTwips);
    const int clientHeight = Pixels(frame.clientHeightTwips);
    WindowClassSpec windowClass;
    windowClass.className = frame.className;
    windowClass.cursor = LoadCursorW(nullptr, IDC_ARROW);
    WindowPlacement placement;
    // A tool window without an owner has no task-bar button. The caption gives the system
    // menu (Alt+F4, Alt+Space); it lies in the strip the region cuts away.
    placement.exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    placement.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    placement.title = frame.caption.c_str();
    // The frame is exactly the strip the region cuts away (see OnNcCalcSize); the client
    // area, which is what shows, is centred on the screen.
    placement.width = kFrameLeftPixels + clientWidth + kFrameRightPixels;
    placement.height = kFrameTopPixels + clientHeight;
    placement.left = (GetSystemMetrics(SM_CXSCREEN) - clientWidth) / 2 - kFrameLeftPixels;
    placement.top = (GetSystemMetrics(SM_CYSCREEN) - clientHeight) / 2 - kFrameTopPixels;
    if (!CreateFromSpec(instance, windowClass, placement)) return false;

    ApplyRoundRegion(Handle(), RegionShape::Dialog);
    looks_->font = MakeDialogFont(FW_NORMAL);
    looks_->captionFont = MakeDialogFont(FW_BOLD);
    looks_->backdrop = DrawBackdrop(clientWidth, clientHeight, Pixels(kDialogTitleHeightTwips));
    looks_->backdropBrush.Reset(looks_->backdrop ? CreatePatternBrush(looks_->backdrop.Get())
                                                 : CreateSolidBrush(kBackTopColor));
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

void DialogFrame::ShowFrame() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

void DialogFrame::MakeCaptionLabel(const DialogFrameSpec& frame) {
    // The caption keeps its left edge and sits in the middle of the title bar, which shows
    // whole here (the region cuts away exactly the frame), whatever the font's height.
    const SIZE text = TextPixels(looks_->captionFont.Get(), frame.caption);
    TwipRect place = frame.captionLabelTwips;
    place.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(text.cx)));
    place.height = PixelsToTwips(static_cast<int32_t>(text.cy));
    place.top = std::max<int32_t>(0, (kDialogTitleHeightTwips - place.height) / 2);
    if (HWND label = AddLabel(frame.captionLabelId, frame.caption, place)) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->captionFont.Get()), FALSE);
    }
}

SIZE DialogFrame::TextPixels(HFONT font, const std::wstring& text) const {
    SIZE size{};
    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), font);
    GetTextExtentPoint32W(screen.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

HWND DialogFrame::AddCaption(int id, const std::wstring& text, const TwipRect& place) {
    // One line, never wrapped: a caption a little wider than its design box grows to the
    // right instead of breaking (a 9-point Chinese face is wider than the design assumed).
    const SIZE size = TextPixels(looks_->font.Get(), text);
    TwipRect grown = place;
    grown.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(size.cx)));
    return AddLabel(id, text, grown, SS_LEFTNOWORDWRAP);
}

HWND DialogFrame::AddLabel(int id, const std::wstring& text, const TwipRect& place,
                           DWORD extraStyle) {
    const RECT r = PixelRect(place);
    const HWND label = CreateWindowExW(
        0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle,
        r.left, r.top, r.right - r.left, r.bottom - r.top, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (label == nullptr) {
        LogLastError(L"DialogFrame: label " + std::to_wstring(id));
        return nullptr;
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    return label;
}

HWND DialogFrame::AddCheckBox(int id, const std::wstring& text, const TwipRect& place) {
    const RECT r = PixelRect(place);
    const HWND box = CreateWindowExW(
        0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, r.left,
        r.top, r.right - r.left, r.bottom - r.top, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (box == nullptr) {
        LogLastError(L"DialogFrame: check box " + std::to_wstring(id));
        return nullptr;
    }
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    return box;
}

HWND DialogFrame::AddDropDownList(int id, const TwipRect& place) {
    const RECT r = PixelRect(place);
    const HWND list = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
        r.left, r.top, r.right - r.left, r.bottom - r.top, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (list == nullptr) {
        LogLastError(L"DialogFrame: drop-down list " + std::to_wstring(id));
        return nullptr;
    }
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    return list;
}

RECT DialogFrame::PixelsOf(const TwipRect& place) const { return PixelRect(place); }

HFONT DialogFrame::DialogFont() const { return looks_->font.Get(); }

MyButton* DialogFrame::AddButton(int id, const std::wstring& caption, const TwipRect& place,
                                 int32_t overColor) {
    auto button = std::make_unique<MyButton>();
    if (!button->Create(instance_, Handle(), id, PixelRect(place))) {
        LogDebug(L"DialogFrame", L"button " + std::to_wstring(id) + L" not created");
        return nullptr;
    }
    SendMessageW(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(looks_->font.Get()), FALSE);
    button->SetCaption(caption);
    button->SetOverColor(overColor);
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
    r.left += kFrameLeftPixels;
    r.right -= kFrameRightPixels;
    r.top += kFrameTopPixels;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
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
