// What the program's push buttons share (the picture button of every dialog and the drawn
// button of the appearance dialog): a child control with a window class of its own that
// paints itself. The caption is the window text (WM_SETTEXT changes it too); the caption
// font is the one set with WM_SETFONT, else the parent's, else the button's own. A press
// with a mouse button the button takes, released over it, clicks; so do Space (at its
// release) and Enter while it has the focus, and BM_CLICK. A disabled button never clicks.
// It is a tab stop, shows a dotted focus mark while focused, and answers WM_GETDLGCODE so
// that IsDialogMessageW gives Enter to the focused button instead of the dialog.
//
// Notification to the parent window:
//   WM_COMMAND, wParam = MAKEWPARAM(control id, BN_CLICKED), lParam = the button's HWND.
//
// A button adds its faces and drawing through the virtual hooks below.
#pragma once

#include "geometry/units.h"
#include "win32/tool_tip_win32.h"
#include "win32/window_base_win32.h"
#include "controls/button_base/button_keys.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorrin {

class OwnerDrawnButton : public WindowBase {
  public:
    void SetCaption(const std::wstring& caption);
    const std::wstring& Caption() const { return caption_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // The tooltip's text; "" removes it.
    void SetToolTip(const std::wstring& text);
    HWND ToolTipWindow() const { return toolTip_.Window(); }
    // The DPI the button's twips are drawn at.
    void SetDpi(int32_t dpi);
    int32_t Dpi() const { return dpi_; }

  protected:
    enum class MouseButton { Left, Right, Middle, X };

    // What differs between the buttons without code of its own.
    struct Traits {
        // Whether a press with any mouse button clicks; else only the left one does (the
        // others only take the focus).
        bool clicksWithAnyButton = false;
        // How far inside the edge the focus mark runs, in pixels at 96 dpi: inside the border.
        int32_t focusMarkInsetPixels = 0;
    };

    OwnerDrawnButton(std::wstring caption, bool enabled, Traits traits);
    ~OwnerDrawnButton() override;

    // Creates the button as a tab stop child of `parent` at `placePixels` (the parent's
    // client coordinates) with the control id of its notifications, at the window's DPI.
    bool CreateButton(HINSTANCE instance, const WindowClassSpec& windowClass, HWND parent,
                      int controlId, const RECT& placePixels);
    // Sets the DPI without restyling (before the first layout).
    void UseDpi(int32_t dpi) { dpi_ = dpi; }

    // A press by the mouse or by Space is under way: the pressed look.
    bool Pressed() const { return mousePress_.has_value() || keys_.SpaceHeld(); }
    HFONT CaptionFont();
    bool Inside(LPARAM point) const;

    // Paints the whole button into `dc`; the focus mark is drawn on top of it.
    virtual void PaintFace(HDC dc) = 0;
    // The caption, font, enabled state, size or DPI changed: lay out and redraw.
    virtual void Restyle() = 0;
    // Pressed() changed.
    virtual void PressChanged() = 0;
    // The pointer moved over the enabled button (or anywhere, while it holds the capture).
    virtual void MouseMoved(LPARAM point) = 0;
    // The caption font when neither the button nor its parent has one.
    virtual HFONT FallbackFont() = 0;
    virtual ToolTipLook TipLook() const { return {}; }
    // Messages the shared part does not handle.
    virtual LRESULT OtherMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    LRESULT OnPaint();
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnSize();
    LRESULT OnMouseMove(LPARAM point);
    LRESULT OnButtonDown(MouseButton button);
    LRESULT OnButtonUp(MouseButton button, LPARAM point);
    LRESULT OnCaptureChanged(HWND newCapture);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnKeyUp(WPARAM key);
    LRESULT OnGetDlgCode(const MSG* message) const;
    LRESULT OnFocusChanged(bool focused);
    LRESULT OnUpdateUiState(WPARAM wParam, LPARAM lParam);
    LRESULT OnClickMessage();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(HFONT font);
    LRESULT OnEnable(bool enabled);
    LRESULT OnDestroy();

    void PaintWithFocusMark(HDC dc);
    void EndPress();
    // Sends BN_CLICKED. The parent may destroy the button (and this object) while handling
    // it, so nothing of the object is used after a call.
    void Click();

    std::wstring caption_;
    bool enabled_;
    Traits traits_;
    HINSTANCE instance_ = nullptr;
    int32_t dpi_ = kDefaultDpi;
    HFONT font_ = nullptr;  // from WM_SETFONT; owned by whoever set it
    std::wstring toolTipText_;
    ToolTip toolTip_;
    std::optional<MouseButton> mousePress_;  // the mouse button whose release may click
    ButtonKeys keys_;
};

}  // namespace quorrin
