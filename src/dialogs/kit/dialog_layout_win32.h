// The children of a settings dialog, placed in twips on its client area as the dialog is
// designed, in the dialog's font. They become pixels at the DPI of the monitor the dialog is
// on; when that DPI changes, every child is placed again and given a font made again like
// the one it has (the dialog's, the caption's, or one the dialog asked for), and labels that
// follow their text are measured again.
#pragma once

#include "geometry/rect.h"
#include "geometry/units.h"
#include "win32/unique_handle_win32.h"
#include "controls/image_button/image_button_win32.h"
#include "dialogs/kit/dialog_look_win32.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quorrin {

// Height of the title bar picture (ImgTitle).
inline constexpr int32_t kDialogTitleHeightTwips = 495;

class DialogLayout {
  public:
    DialogLayout(const DialogLayout&) = delete;
    DialogLayout& operator=(const DialogLayout&) = delete;

    // Children in the dialog font, placed in twips on the client area.
    HWND AddLabel(int id, const std::wstring& text, const TwipRect& place, DWORD extraStyle = 0);
    // A one-line label that grows to the right to fit its text.
    HWND AddCaption(int id, const std::wstring& text, const TwipRect& place);
    HWND AddCheckBox(int id, const std::wstring& text, const TwipRect& place);
    // Any other child control (list box, drop-down list, option button, edit), in the
    // dialog font; `style` comes on top of WS_CHILD | WS_VISIBLE.
    HWND AddControl(int id, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                    const TwipRect& place, DWORD exStyle = 0);
    // A font of the given em height, owned by the layout like the dialog's own; `face` null
    // means the dialog's face.
    HFONT AddFont(const wchar_t* face, int32_t heightTwips, int weight);
    // A drop-down list (pick only, no typing); `place.height` includes the opened list.
    HWND AddDropDownList(int id, const TwipRect& place);
    // A push button, a Tab stop. The layout owns it until the dialog is created again or the
    // layout is deleted (never while the button may still be handling a click).
    ImageButton* AddButton(int id, const std::wstring& caption, const TwipRect& place,
                           int32_t overColor);
    // Places a child the dialog made itself, in twips; it is placed again, and given its
    // font made at the new DPI, when the DPI changes.
    void PlaceChild(HWND child, const TwipRect& place);

    // The size of one line of text in the font, on the screen.
    SIZE TextPixels(HFONT font, const std::wstring& text) const;
    // Where a control of the given design place goes, in client pixels at the dialog's DPI:
    // each edge on its own, so that parts touching in twips touch on screen.
    RECT PixelsOf(const TwipRect& place) const;
    HFONT DialogFont() const { return look_->Font(); }
    // The DPI the dialog is laid out at, and a twip length in pixels at that DPI.
    int32_t Dpi() const { return dpi_; }
    int Pixels(int32_t twips) const { return TwipsToPixels(twips, dpi_); }
    HINSTANCE Instance() const { return instance_; }

    std::wstring ChildText(int id) const;
    void SetChildText(int id, const std::wstring& text);

  protected:
    DialogLayout() = default;
    ~DialogLayout() = default;

    // A new opening at `dpi` (before its window is made, which asks for Dpi()): the children
    // and fonts of an earlier one went with its window. Then the window to lay out.
    void StartLayout(HINSTANCE instance, int32_t dpi, const DialogLook& look);
    void LayOutOn(HWND dialog) { dialog_ = dialog; }
    // The caption on the title bar, in the caption font, in the middle of the title bar.
    HWND AddTitleCaption(int id, const std::wstring& text, const TwipRect& place);
    // The dialog is at `dpi` with `look` now; `old` is the look its children still use.
    void LayOutAgain(int32_t dpi, const DialogLook& old, const DialogLook& look);

  private:
    // How a child's width follows its text when it is placed.
    enum class TextFit { None, GrowToText, Caption };
    struct PlacedChild {
        HWND window = nullptr;
        TwipRect place;
        TextFit fit = TextFit::None;
    };
    // Fonts the dialog asked for, made again at a new DPI.
    struct ExtraFont {
        const wchar_t* face = nullptr;
        int32_t heightTwips = 0;
        int weight = 0;
        UniqueFont font;
    };

    HWND AddPlacedLabel(int id, const std::wstring& text, const TwipRect& place, DWORD extraStyle,
                        TextFit fit);
    // The child's place for the current DPI and fonts: a caption or a growing label measured
    // again, since text does not scale exactly with the DPI.
    TwipRect FittedPlace(const PlacedChild& child) const;
    void Place(const PlacedChild& child) const;

    HWND dialog_ = nullptr;
    HINSTANCE instance_ = nullptr;
    int32_t dpi_ = kDefaultDpi;
    const DialogLook* look_ = nullptr;
    std::vector<PlacedChild> placed_;
    std::vector<std::unique_ptr<ImageButton>> buttons_;
    std::vector<ExtraFont> fonts_;
};

}  // namespace quorrin
