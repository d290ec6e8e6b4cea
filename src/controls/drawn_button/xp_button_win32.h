// The drawn push button: a child control with a window class of its own that paints itself
// from four stored faces (disabled, normal, hover, pressed) stretched with fixed corners,
// then an optional picture and the caption, all into a back buffer that the window only
// copies to the screen. It shows the hover face while the pointer is over it (holding the
// mouse capture, so that the move which leaves it is seen), the pressed face while the left
// button is down, and clicks only after a left press: on the left button's release over it,
// and on Enter. An optional balloon tooltip stands under it.
//
// Notification to the parent window:
//   WM_COMMAND, wParam = MAKEWPARAM(control id, BN_CLICKED), lParam = the button's HWND.
//
// The caption is the window text (WM_SETTEXT changes it too); the caption font is the one
// set with WM_SETFONT, or the parent's until one is set.
#pragma once

#include "geometry/units.h"
#include "win32/tool_tip_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "controls/drawn_button/drawn_button_layout.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kXPButtonClassName = L"Quorrin.XPButton";
// The surface's colour under the face.
inline constexpr COLORREF kXPButtonBackColor = 0xD7D7D7;
// ForeColor's default: the system's button-text colour (system colour 0x12).
inline constexpr uint32_t kSystemButtonTextColor = 0x80000012;
// The properties' defaults.
inline constexpr const wchar_t* kXPButtonDefaultCaption = L"0";
// The balloon tooltip's look.
inline constexpr int kXPButtonTipWidthPixels = 80;
inline constexpr COLORREF kXPButtonTipBackColor = 0x00FFFF;  // yellow
inline constexpr COLORREF kXPButtonTipTextColor = 0x000000;

class XPButton final : public WindowBase {
  public:
    XPButton();
    ~XPButton() override;

    // Creates the button as a child of `parent` at the given place (pixels, client
    // coordinates of the parent) with the control id of its notifications. `dpi` sizes the
    // face's corners.
    bool Create(HINSTANCE instance, HWND parent, int controlId, const RECT& placePixels,
                int32_t dpi = kDefaultDpi);

    // The properties; each write redraws the resting face.
    // The DPI its face pictures and corners are sized for (the dialog's, when it changes).
    void SetDpi(int32_t dpi);
    void SetCaption(const std::wstring& caption);
    const std::wstring& Caption() const { return caption_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // 0: picture left of the caption; 1: above it; any other: only the face when both show.
    void SetStyle(int32_t style);
    int32_t Style() const { return style_; }
    // The optional picture; the button owns it.
    void SetPicture(UniqueBitmap picture);
    // 0x00BBGGRR, or a system colour 0x800000nn.
    void SetForeColor(uint32_t color);
    uint32_t ForeColor() const { return foreColor_; }
    // The balloon tooltip's text; "" removes it.
    void SetToolTip(const std::wstring& text);
    HWND ToolTipWindow() const { return toolTip_.Window(); }

    // Draws the face for `request` and then the picture and the caption, into the back
    // buffer, and has the window show it.
    void PrintB(FaceRequest request);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnSize();
    LRESULT OnMouseMove(LPARAM point);
    LRESULT OnButtonDown(bool leftButton);
    LRESULT OnButtonUp(UINT message, LPARAM point);
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnGetDlgCode(LPARAM message);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(HFONT font, bool redraw);
    LRESULT OnEnable(bool enabled);

    // Does what the input rules answered; false once the button may be gone (after Click).
    bool Apply(const ButtonReaction& reaction);
    bool Inside(LPARAM point) const;
    void SetText(HDC dc, int width, int height);
    HFONT CaptionFont() const;
    COLORREF CaptionColor() const;
    void EnsureBuffer(int width, int height);

    std::wstring caption_ = kXPButtonDefaultCaption;
    bool enabled_ = false;
    int32_t style_ = 0;
    UniqueBitmap picture_;
    uint32_t foreColor_ = kSystemButtonTextColor;
    std::wstring toolTipText_;
    HFONT font_ = nullptr;  // from WM_SETFONT; owned by whoever set it

    HINSTANCE instance_ = nullptr;
    int32_t dpi_ = kDefaultDpi;
    std::array<UniqueBitmap, kButtonFaceCount> faces_;
    UniqueMemoryDc buffer_;  // the persistent drawing surface
    UniqueBitmap bufferBitmap_;
    HGDIOBJ bufferOldBitmap_ = nullptr;
    SIZE bufferSize_{};

    ButtonInput input_;
    bool leftDownHere_ = false;  // a left press on the button that a release may complete
    ToolTip toolTip_;
};

}  // namespace quorrin
