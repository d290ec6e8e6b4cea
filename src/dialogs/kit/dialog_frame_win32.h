// The frame every settings dialog is built on: a fixed-size tool window without a task-bar
// button, centred on the screen, shaped by the dialog region so that the system caption is
// cut away. In its place the dialog draws its own title bar picture with the caption on it,
// and is moved by dragging that title bar; a "×" button closes it. The client area is
// covered by a background picture, and the dialog's labels and check boxes are drawn
// transparently over it in a Chinese UI font.
//
// Sizes are given in twips, as the dialogs are designed; they become pixels here, at the DPI
// of the monitor the dialog is on. When that DPI changes (the dialog is moved to a monitor of
// another scale, or the scale is changed) the frame takes the size the system suggests and
// places its controls, fonts, pictures and region again for the new DPI.
#pragma once

#include "geometry/rect.h"
#include "geometry/units.h"
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "controls/image_button/my_button_win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorrin {

// Height of the title bar picture (ImgTitle).
inline constexpr int32_t kDialogTitleHeightTwips = 495;
// The close button's tooltip ("exit this program", as the dialogs have always said).
inline constexpr const wchar_t* kDialogCloseToolTip = L"退出本程序";
inline constexpr const wchar_t* kDialogCloseCaption = L"×";
// The hover pictures of the buttons: the accent one of the close and the default buttons,
// and the plain one of the rest.
inline constexpr int32_t kAccentOverColor = 1;
inline constexpr int32_t kDefaultOverColor = 0;
// Every dialog's 保存 and 取消.
inline constexpr const wchar_t* kDialogSaveCaption = L"保存";
inline constexpr const wchar_t* kDialogCancelCaption = L"取消";

struct DialogFrameSpec {
    const wchar_t* className = nullptr;
    std::wstring caption;  // window title and the text on the title bar
    int32_t clientWidthTwips = 0;
    int32_t clientHeightTwips = 0;
    // Lab_FormTitle: placed at this left/top and sized to the caption.
    int captionLabelId = 0;
    TwipRect captionLabelTwips;
    // yButton_Close.
    int closeButtonId = 0;
    TwipRect closeButtonTwips;
    // The window a modal dialog stays above (null: none).
    HWND owner = nullptr;
};

class DialogFrame : public WindowBase {
  public:
    ~DialogFrame() override;

    bool IsOpen() const { return Handle() != nullptr; }

  protected:
    DialogFrame();

    // Creates the dialog, lets `fill` make its controls and load their values, and shows
    // it; an open dialog is only brought to the front. False when the window cannot be made.
    bool OpenFrame(HINSTANCE instance, const DialogFrameSpec& frame,
                   const std::function<void()>& fill);

    // Children in the dialog font, placed in twips on the client area.
    HWND AddLabel(int id, const std::wstring& text, const TwipRect& place, DWORD extraStyle = 0);
    // A one-line label that grows to the right to fit its text.
    HWND AddCaption(int id, const std::wstring& text, const TwipRect& place);
    HWND AddCheckBox(int id, const std::wstring& text, const TwipRect& place);
    // Any other child control (list box, drop-down list, option button, edit), in the
    // dialog font; `style` comes on top of WS_CHILD | WS_VISIBLE.
    HWND AddControl(int id, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                    const TwipRect& place, DWORD exStyle = 0);
    // A font of the given em height, owned by the frame like its own; `face` null means the
    // dialog's face.
    HFONT AddFont(const wchar_t* face, int32_t heightTwips, int weight);
    // A drop-down list (pick only, no typing); `place.height` includes the opened list.
    HWND AddDropDownList(int id, const TwipRect& place);
    // The frame owns the button until the dialog is created again or the frame is deleted
    // (never while the button may still be handling a click).
    MyButton* AddButton(int id, const std::wstring& caption, const TwipRect& place,
                        int32_t overColor);

    // The size of one line of text in the font, on the screen.
    SIZE TextPixels(HFONT font, const std::wstring& text) const;
    // Where a control of the given design place goes, in client pixels at the dialog's DPI:
    // each edge on its own, so that parts touching in twips touch on screen.
    RECT PixelsOf(const TwipRect& place) const;
    HFONT DialogFont() const;

    std::wstring ChildText(int id) const;
    void SetChildText(int id, const std::wstring& text);

    // The DPI the dialog is laid out at, and a twip length in pixels at that DPI.
    int32_t Dpi() const { return dpi_; }
    int Pixels(int32_t twips) const { return TwipsToPixels(twips, dpi_); }
    // Places a child the dialog made itself, in twips; the frame places it again, and gives
    // it its font made at the new DPI, when the DPI changes.
    void PlaceChild(HWND child, const TwipRect& place);
    // After a DPI change has given every child its new font and place: a dialog that lays
    // out by measured text does that again here.
    virtual void OnDpiLayout() {}

    // Painting, the children's backgrounds, the title-bar drag and the frame geometry; the
    // rest gets the default handling. Dialogs hand their unhandled messages on to this.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Looks;

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

    // Creates the dialog hidden: window, region, pictures, caption and close button. False
    // only when the window itself cannot be made; a missing picture or control is logged.
    bool CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame);
    // Shows the dialog and brings it to the front.
    void ShowFrame();
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(int32_t dpi, const RECT& suggested);
    LRESULT OnDisplayChange();
    LRESULT OnGetDpiScaledSize(int32_t dpi, SIZE* size) const;
    LRESULT OnPaint();
    void PaintBackdrop(HDC dc) const;
    LRESULT OnControlColor(HDC dc, HWND control);
    LRESULT OnLeftButtonDown(LPARAM point);
    LRESULT OnLeftButtonEnd();
    LRESULT OnMouseMove(WPARAM buttons, LPARAM point);

    // DragByTitle: a mouse move with the left button held on the title bar hands the
    // dialog to the system's move loop, which moves it until the button is released.
    void DragByTitle();
    bool OnTitleBar(LPARAM point) const;
    RECT TitleBarPixels() const;
    RECT ClientPixels() const;
    void MakeCaptionLabel(const DialogFrameSpec& frame);
    HWND AddPlacedLabel(int id, const std::wstring& text, const TwipRect& place, DWORD extraStyle,
                        TextFit fit);
    // The child's place for the current DPI and fonts: a caption or a growing label measured
    // again, since text does not scale exactly with the DPI.
    TwipRect FittedPlace(const PlacedChild& child) const;
    // The frame strips (the parts the region cuts away) and the window size at `dpi`.
    RECT FramePixels(int32_t dpi) const;
    SIZE WindowPixels(int32_t dpi) const;
    // Fonts and the backdrop picture for the current DPI.
    void MakeLooks();

    HINSTANCE instance_ = nullptr;
    int captionLabelId_ = 0;
    int32_t clientWidthTwips_ = 0;
    int32_t clientHeightTwips_ = 0;
    bool pressedOnTitle_ = false;
    int32_t dpi_ = kDefaultDpi;
    std::unique_ptr<Looks> looks_;
    std::vector<PlacedChild> placed_;
    std::vector<std::unique_ptr<MyButton>> buttons_;
    std::vector<ExtraFont> fonts_;
};

}  // namespace quorrin
