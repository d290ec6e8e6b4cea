#include "clock/speaker_messages_win32.h"

namespace quorrin {

void SpeakerMessages::Place(HINSTANCE instance, const std::vector<MessageAnchor>& anchors,
                            const std::wstring& fontName) {
    if (text_.empty()) {
        HideAll();
        return;
    }
    while (windows_.size() < anchors.size()) {
        auto window = std::make_unique<SpeakerMessageWindow>();
        if (!window->Create(instance)) break;  // logged by the window base
        window->OnClicked([this] { Dismiss(); });
        windows_.push_back(std::move(window));
    }
    shown_ = true;
    for (size_t i = 0; i < windows_.size(); ++i) {
        if (i < anchors.size()) {
            windows_[i]->ShowBeside(text_, fontName, anchors[i]);
        } else {
            windows_[i]->Hide();
        }
    }
}

void SpeakerMessages::HideAll() {
    if (!shown_) return;
    for (const auto& window : windows_) window->Hide();
    shown_ = false;
}

void SpeakerMessages::Dismiss() {
    text_.clear();
    HideAll();
    if (dismissed_) dismissed_();
}

}  // namespace quorrin
