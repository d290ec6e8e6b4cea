// The frame every settings dialog is built on: a fixed-size tool window without a task-bar
// button, centred on the screen, shaped by the dialog region so that the system caption is
// cut away. In its place the dialog paints its look's title bar with the caption on it, and
// is moved by dragging that title bar; a "×" button closes it.
//
// When the DPI changes (the dialog is moved to a monitor of another scale, or the scale is
// changed) the frame takes the size the system suggests, makes its look again and has its
// children laid out again for the new DPI.
#pragma once

#include "geometry/rect.h"
#include "texts/texts.h"
#include "win32/window_base_win32.h"
#include "dialogs/kit/dialog_layout_win32.h"
#include "dialogs/kit/dialog_look_win32.h"

#include <memory>
#include <optional>
#include <string>

namespace quorrin {

// The close button closes the dialog (as 取消 does), and says so in its tool tip.
inline constexpr const wchar_t* kDialogCloseCaption = L"×";
// The hover pictures of the buttons: the accent one of the close and the default buttons,
// and the plain one of the rest.
inline constexpr int32_t kAccentOverColor = 1;
inline constexpr int32_t kDefaultOverColor = 0;

// The frame's controls, the same in every dialog. 保存 and 取消 are IDOK and IDCANCEL, the
// commands Enter and Esc give; a dialog numbers its own controls from 1000 up.
inline constexpr int kDialogSaveId = IDOK;        // "保存"
inline constexpr int kDialogCancelId = IDCANCEL;  // "取消"
inline constexpr int kDialogCaptionId = 3;
inline constexpr int kDialogCloseId = 4;  // yButton_Close, "×"
// The caption's place on the title bar (it grows to its text and is centred in height), and
// the sizes of the × and of 保存 and 取消.
inline constexpr TwipRect kDialogCaptionTwips{360, 240, 540, 180};
inline constexpr int32_t kDialogCloseWidthTwips = 540;
inline constexpr int32_t kDialogCloseHeightTwips = 255;
inline constexpr int32_t kDialogButtonWidthTwips = 1215;
inline constexpr int32_t kDialogButtonHeightTwips = 495;
// Where the kit puts them when a dialog leaves them to it: the × in the top-right corner, and
// 保存 and 取消 in the bottom-right one, this far from the edges and from each other.
inline constexpr int32_t kDialogCloseTopTwips = 120;
inline constexpr int32_t kDialogButtonsEdgeTwips = 225;

struct DialogFrameSpec {
    const wchar_t* className = nullptr;
    TextId caption = TextId::AppName;  // window title and the text on the title bar
    int32_t clientWidthTwips = 0;
    int32_t clientHeightTwips = 0;
    // A dialog with nothing to save: one 关闭 button at 取消's place and with its id, which
    // Enter and Esc both press, instead of the two.
    bool closeOnly = false;
    // The window a modal dialog stays above (null: none).
    HWND owner = nullptr;
    // The ×'s top-left corner (pulled inside a dialog it would stick out of). A dialog whose
    // design places the frame's controls elsewhere gives their places; left out, they take
    // the kit's.
    std::optional<int32_t> closeLeftTwips = std::nullopt;
    std::optional<int32_t> closeTopTwips = std::nullopt;
    // 保存 and 取消, side by side at this top: made after the dialog's own controls, last in
    // the Tab order.
    std::optional<int32_t> buttonsTopTwips = std::nullopt;
    std::optional<int32_t> saveLeftTwips = std::nullopt;
    std::optional<int32_t> cancelLeftTwips = std::nullopt;
};

// Where the ×, 保存 and 取消 of the dialog go.
TwipRect DialogClosePlace(const DialogFrameSpec& frame);
TwipRect DialogSavePlace(const DialogFrameSpec& frame);
TwipRect DialogCancelPlace(const DialogFrameSpec& frame);

class DialogFrame : public WindowBase, protected DialogLayout {
  public:
    ~DialogFrame() override;

    bool IsOpen() const { return Handle() != nullptr; }

  protected:
    DialogFrame();

    // The DPI a dialog opens at: that of the primary monitor, in whose middle it opens.
    static int32_t OpeningDpi();
    // Creates the dialog hidden: window, region, look, caption and close button. False only
    // when the window itself cannot be made; a missing picture or control is logged.
    bool CreateFrame(HINSTANCE instance, const DialogFrameSpec& frame);
    // Shows the dialog and brings it to the front.
    void ShowFrame();
    // After a DPI change has given every child its new font and place: a dialog that lays
    // out by measured text does that again here.
    virtual void OnDpiLayout() {}

    // Painting, the children's backgrounds, the title-bar drag and the frame geometry; the
    // rest gets the default handling. Dialogs hand their unhandled messages on to this.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(int32_t dpi, const RECT& suggested);
    LRESULT OnDisplayChange();
    LRESULT OnGetDpiScaledSize(int32_t dpi, SIZE* size) const;
    LRESULT OnPaint();
    LRESULT OnControlColor(HDC dc, HWND control);
    LRESULT OnLeftButtonDown(LPARAM point);
    LRESULT OnLeftButtonEnd();
    LRESULT OnMouseMove(WPARAM buttons, LPARAM point);

    // DragByTitle: a mouse move with the left button held on the title bar hands the
    // dialog to the system's move loop, which moves it until the button is released.
    void DragByTitle();
    bool OnTitleBar(LPARAM point) const;
    RECT ClientPixels() const;
    // The frame strips (the parts the region cuts away) and the window size at `dpi`.
    RECT FramePixels(int32_t dpi) const;
    SIZE WindowPixels(int32_t dpi) const;
    std::unique_ptr<DialogLook> MakeLook(int32_t dpi) const;
    void MakeCloseButton(const DialogFrameSpec& frame);

    int32_t clientWidthTwips_ = 0;
    int32_t clientHeightTwips_ = 0;
    bool pressedOnTitle_ = false;
    std::unique_ptr<DialogLook> look_;
};

}  // namespace quorrin
