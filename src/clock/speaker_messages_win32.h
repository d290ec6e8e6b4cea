// The timekeeper's message on every monitor that has a clock: one window beside each clock,
// made when first needed and kept, hidden, when no longer. A click on any of them dismisses
// the message everywhere and tells the owner.
#pragma once

#include "clock/speaker_message_window_win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorrin {

class SpeakerMessages {
  public:
    // The text to show (as MessageText gives it); empty for none.
    void SetText(std::wstring text) { text_ = std::move(text); }
    const std::wstring& Text() const { return text_; }
    // Shows the text beside each anchor's clock in the face `fontName`, and hides the
    // windows of clocks no longer placed; hides them all while there is no text. A window
    // that cannot be made is logged, and the message shows by the others.
    void Place(HINSTANCE instance, const std::vector<MessageAnchor>& anchors,
               const std::wstring& fontName);
    void HideAll();
    // Called when the presenter dismissed the message with a click.
    void OnDismissed(std::function<void()> dismissed) { dismissed_ = std::move(dismissed); }

  private:
    void Dismiss();

    std::wstring text_;
    std::vector<std::unique_ptr<SpeakerMessageWindow>> windows_;
    bool shown_ = false;  // a window may be up: HideAll has something to do
    std::function<void()> dismissed_;
};

}  // namespace quorrin
