// The frame every settings dialog is built on: a fixed-size tool window without a task-bar
// button, centred on the screen, shaped by the dialog region so that the system caption is
// cut away. In its place the dialog draws its own title bar picture with the caption on it,
// and is moved by dragging that title bar; a "×" button closes it. The client area is
// covered by a background picture, and the dialog's labels and check boxes are drawn
// transparently over it in a Chinese UI font.
//
// Sizes are given in twips, as the dialogs are designed; they become pixels here.
#pragma once

#include "geometry/twip_rect.h"
#include "geometry/units.h"
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "controls/image_button/my_button_win32.h"

#include <memory>
#include <string>
#include <vector>

namespace quorrin {

// Height of the title bar picture (ImgTitle).
inline constexpr int32_t kDialogTitleHeightTwips = 495;
// The close button's tooltip ("exit this program", as the dialogs have always said).
inline constexpr const wchar_t* kDialogCloseToolTip = L"退出本程序";
inline constexpr const wchar_t* kDialogCloseCaption = L"×";
// The hover picture of the close and the default buttons.
inline constexpr int32_t kAccentOverColor = 1;

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
};

class DialogFrame : public WindowBase {
  public:
    ~DialogFrame() override;

  protected:
    DialogFrame();

    // Creates the dialog hidden: window, region, pictures, caption and close button. False
    // only when the window itself cannot be made; a missing picture or control is logged.
    bool CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame);
    // Shows the dialog and brings it to the front.
    void ShowFrame();

    // Children in the dialog font, placed in twips on the client area.
    HWND AddLabel(int id, const std::wstring& text, const TwipRect& place, DWORD extraStyle = 0);
    // A one-line label that grows to the right to fit its text.
    HWND AddCaption(int id, const std::wstring& text, const TwipRect& place);
    HWND AddCheckBox(int id, const std::wstring& text, const TwipRect& place);
    // A drop-down list (pick only, no typing); `place.height` includes the opened list.
    HWND AddDropDownList(int id, const TwipRect& place);
    // The frame owns the button until the dialog is created again or the frame is deleted
    // (never while the button may still be handling a click).
    MyButton* AddButton(int id, const std::wstring& caption, const TwipRect& place,
                        int32_t overColor);

    // Where a control of the given design place goes, in client pixels.
    RECT PixelsOf(const TwipRect& place) const;
    HFONT DialogFont() const;

    std::wstring ChildText(int id) const;
    void SetChildText(int id, const std::wstring& text);

    // Painting, the children's backgrounds, the title-bar drag and the frame geometry; the
    // rest gets the default handling. Dialogs hand their unhandled messages on to this.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Looks;

    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
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
    SIZE TextPixels(HFONT font, const std::wstring& text) const;

    HINSTANCE instance_ = nullptr;
    int captionLabelId_ = 0;
    int32_t clientWidthTwips_ = 0;
    int32_t clientHeightTwips_ = 0;
    bool pressedOnTitle_ = false;
    std::unique_ptr<Looks> looks_;
    std::vector<std::unique_ptr<MyButton>> buttons_;
};

}  // namespace quorrin
