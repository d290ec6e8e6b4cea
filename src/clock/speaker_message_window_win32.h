// The timekeeper's message beside one clock: large white text on dark amber, sized to the
// text, over the show without ever taking the keyboard from it. Its window text is the
// message, so screen readers can read it. A click (press and release on it) dismisses it.
#pragma once

#include "clock/overlay_window_win32.h"
#include "geometry/rect.h"
#include "settings/app_state.h"
#include "win32/unique_handle_win32.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kSpeakerMessageClassName = L"Quorrin.SpeakerMessage";

// Where one message goes: beside the clock at `clock` (screen pixels, shown or not), inside
// its monitor's work area, at that monitor's DPI.
struct MessageAnchor {
    PixelRect clock;
    WorkArea work;
    int32_t dpi = 0;
};

class SpeakerMessageWindow final : public OverlayWindow {
  public:
    // Creates the window hidden.
    bool Create(HINSTANCE instance);
    // Shows `text` in the face `fontName` beside the anchor's clock, topmost again (above a
    // show that pushed itself up) and without activating; the text is measured again only
    // when it, the face, the DPI or the work area's width changed.
    void ShowBeside(const std::wstring& text, const std::wstring& fontName,
                    const MessageAnchor& anchor);
    void Hide();
    // Called when the presenter clicks the message.
    void OnClicked(std::function<void()> clicked) { clicked_ = std::move(clicked); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint() override;
    LRESULT OnButtonUp();
    // Chooses the font and the window's size for the text at the anchor's DPI and width.
    void Fit(const std::wstring& fontName, const MessageAnchor& anchor);

    std::wstring text_;
    std::wstring fontName_;
    int32_t dpi_ = 0;
    int32_t maxWidth_ = 0;
    UniqueFont font_;
    int32_t marginPixels_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool pressed_ = false;  // the left button went down on the message
    std::function<void()> clicked_;
};

}  // namespace quorrin
