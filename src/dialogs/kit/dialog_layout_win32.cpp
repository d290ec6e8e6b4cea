#include "dialogs/kit/dialog_layout_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dpi_win32.h"
#include "win32/gdi_scope_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

void SetFont(HWND child, HFONT font) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

void DialogLayout::StartLayout(HINSTANCE instance, int32_t dpi, const DialogLook& look) {
    dialog_ = nullptr;
    instance_ = instance;
    dpi_ = dpi;
    look_ = &look;
    buttons_.clear();
    placed_.clear();
    fonts_.clear();
}

RECT DialogLayout::PixelsOf(const TwipRect& place) const {
    return WinRect(TwipsToPixels(place, dpi_));
}

void DialogLayout::Place(const PlacedChild& child) const {
    const RECT r = PixelsOf(FittedPlace(child));
    SetWindowPos(child.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipRect DialogLayout::FittedPlace(const PlacedChild& child) const {
    if (child.fit == TextFit::None) return child.place;
    wchar_t text[256] = {};
    GetWindowTextW(child.window, text, 256);
    TwipRect place = child.place;
    if (child.fit == TextFit::GrowToText) {
        // One line, never wrapped: a caption a little wider than its design box grows to the
        // right instead of breaking (a 9-point Chinese face is wider than the design assumed).
        const SIZE size = TextPixels(look_->Font(), text);
        place.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(size.cx), dpi_));
        return place;
    }
    // The caption keeps its left edge and sits in the middle of the title bar, which shows
    // whole (the region cuts away exactly the frame), whatever the font's height.
    const SIZE size = TextPixels(look_->CaptionFont(), text);
    place.width = std::max(place.width, PixelsToTwips(static_cast<int32_t>(size.cx), dpi_));
    place.height = PixelsToTwips(static_cast<int32_t>(size.cy), dpi_);
    place.top = std::max<int32_t>(0, (kDialogTitleHeightTwips - place.height) / 2);
    return place;
}

SIZE DialogLayout::TextPixels(HFONT font, const std::wstring& text) const {
    SIZE size{};
    WindowDcScope screen(nullptr);
    ScopedSelectObject select(screen.Dc(), font);
    GetTextExtentPoint32W(screen.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

HWND DialogLayout::AddTitleCaption(int id, const std::wstring& text, const TwipRect& place) {
    const HWND label = AddPlacedLabel(id, text, place, 0, TextFit::Caption);
    if (label != nullptr) SetFont(label, look_->CaptionFont());
    return label;
}

HWND DialogLayout::AddCaption(int id, const std::wstring& text, const TwipRect& place) {
    return AddPlacedLabel(id, text, place, SS_LEFTNOWORDWRAP, TextFit::GrowToText);
}

HWND DialogLayout::AddLabel(int id, const std::wstring& text, const TwipRect& place,
                            DWORD extraStyle) {
    return AddPlacedLabel(id, text, place, extraStyle, TextFit::None);
}

void DialogLayout::PlaceChild(HWND child, const TwipRect& place) {
    if (child == nullptr) return;
    placed_.push_back({child, place, TextFit::None});
    Place(placed_.back());
}

HWND DialogLayout::AddPlacedLabel(int id, const std::wstring& text, const TwipRect& place,
                                  DWORD extraStyle, TextFit fit) {
    const HWND label = CreateWindowExW(
        0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle, 0,
        0, 0, 0, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (label == nullptr) {
        LogLastError(L"CreateWindowExW for label " + std::to_wstring(id));
        return nullptr;
    }
    SetFont(label, look_->Font());
    placed_.push_back({label, place, fit});
    Place(placed_.back());
    return label;
}

HWND DialogLayout::AddCheckBox(int id, const std::wstring& text, const TwipRect& place) {
    return AddControl(id, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, place);
}

HWND DialogLayout::AddControl(int id, const wchar_t* windowClass, const std::wstring& text,
                              DWORD style, const TwipRect& place, DWORD exStyle) {
    const RECT r = PixelsOf(place);
    const HWND control =
        CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, dialog_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control == nullptr) {
        LogLastError(L"CreateWindowExW for control " + std::to_wstring(id));
        return nullptr;
    }
    SetFont(control, look_->Font());
    placed_.push_back({control, place, TextFit::None});
    return control;
}

HFONT DialogLayout::AddFont(const wchar_t* face, int32_t heightTwips, int weight) {
    UniqueFont font = MakeDialogFaceFont(face, Pixels(heightTwips), weight);
    if (!font) return nullptr;
    fonts_.push_back({face, heightTwips, weight, std::move(font)});
    return fonts_.back().font.Get();
}

HWND DialogLayout::AddDropDownList(int id, const TwipRect& place) {
    return AddControl(id, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, place);
}

ImageButton* DialogLayout::AddButton(int id, const std::wstring& caption, const TwipRect& place,
                                     int32_t overColor) {
    auto button = std::make_unique<ImageButton>();
    if (!button->Create(instance_, dialog_, id, PixelsOf(place))) {
        LogDebug(L"DialogLayout", L"button " + std::to_wstring(id) + L" not created");
        return nullptr;
    }
    // Reached with Tab, whatever the button makes of its own style.
    const HWND window = button->Handle();
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
    button->SetDpi(dpi_);
    SetFont(window, look_->Font());
    button->SetCaption(caption);
    button->SetOverColor(overColor);
    placed_.push_back({window, place, TextFit::None});
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
}

std::wstring DialogLayout::ChildText(int id) const {
    const HWND child = GetDlgItem(dialog_, id);
    if (child == nullptr) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

void DialogLayout::SetChildText(int id, const std::wstring& text) {
    SetDlgItemTextW(dialog_, id, text.c_str());
}

void DialogLayout::LayOutAgain(int32_t dpi, const DialogLook& old, const DialogLook& look) {
    dpi_ = dpi;
    look_ = &look;
    std::vector<ExtraFont> oldFonts = std::move(fonts_);
    fonts_.clear();
    for (const ExtraFont& font : oldFonts) AddFont(font.face, font.heightTwips, font.weight);
    // Each child gets the new font made like the one it has.
    const auto newFontFor = [&](HFONT current) {
        if (current == old.CaptionFont()) return look.CaptionFont();
        for (size_t i = 0; i < oldFonts.size() && i < fonts_.size(); ++i) {
            if (current == oldFonts[i].font.Get()) return fonts_[i].font.Get();
        }
        return look.Font();
    };
    for (const auto& button : buttons_) button->SetDpi(dpi_);
    for (const PlacedChild& child : placed_) {
        SetFont(child.window,
                newFontFor(reinterpret_cast<HFONT>(SendMessageW(child.window, WM_GETFONT, 0, 0))));
        Place(child);
    }
}

}  // namespace quorrin
