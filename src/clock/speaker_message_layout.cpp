#include "clock/speaker_message_layout.h"

#include <algorithm>

namespace quorrin {

namespace {

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;

bool IsContinuation(unsigned char byte) { return (byte & kContinuationMask) == kContinuationBits; }

bool IsBlank(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\v' ||
           byte == '\f';
}

bool IsOtherControl(unsigned char byte) { return byte < 0x20 || byte == kDelete; }

// What ends a message cut short, and how much of a word at the cut goes rather than be split.
constexpr std::string_view kEllipsis = "\u2026";
constexpr size_t kMaxCutWordChars = 20;

}  // namespace

std::string MessageText(std::string_view utf8) {
    std::string text;
    size_t chars = 0;
    size_t lastSpace = std::string::npos;  // where the last space went into `text`
    size_t charsAtLastSpace = 0;
    bool pendingSpace = false;
    for (size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (IsBlank(byte)) {
            // A run of spaces and line breaks is one space, and none at the start.
            pendingSpace = !text.empty();
            ++i;
            continue;
        }
        if (IsOtherControl(byte)) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[end]))) ++end;
        if (chars + (pendingSpace ? 2 : 1) > kMaxMessageChars) {
            // Too long: the ellipsis takes the last place, after the last whole word when a
            // space is near enough, else after the last whole character.
            bool wordCut = !pendingSpace;
            while (chars >= kMaxMessageChars) {
                while (!text.empty() && IsContinuation(static_cast<unsigned char>(text.back()))) {
                    text.pop_back();
                }
                text.pop_back();
                --chars;
                wordCut = true;
            }
            if (wordCut && lastSpace != std::string::npos &&
                chars - charsAtLastSpace <= kMaxCutWordChars) {
                text.resize(lastSpace);
            }
            return text + std::string(kEllipsis);
        }
        if (pendingSpace) {
            lastSpace = text.size();
            charsAtLastSpace = chars;
            text += ' ';
            ++chars;
        }
        text.append(utf8.substr(i, end - i));
        ++chars;
        pendingSpace = false;
        i = end;
    }
    return text;
}

int32_t MessageFontHeight(const MeasureText& measure, int32_t fontHeight, int32_t leastFontHeight,
                          int32_t wrapWidth) {
    for (int32_t height = fontHeight; height > leastFontHeight; --height) {
        if (measure(height, wrapWidth).lines <= kMaxMessageLines) return height;
    }
    return std::max(leastFontHeight, 1);
}

int32_t MaxMessageWidth(const WorkArea& work) { return std::max(work.right - work.left, 0) / 2; }

PixelRect MessageBesideClock(const PixelRect& clock, const WorkArea& work, int32_t width,
                             int32_t height, int32_t gap) {
    const int32_t clockBottom = clock.top + clock.height;
    const int32_t clockRight = clock.left + clock.width;
    const int32_t below = clockBottom + gap;
    const int32_t above = clock.top - gap - height;
    int32_t top = below;
    if (below + height > work.bottom) {
        if (above >= work.top) {
            top = above;
        } else {
            // Neither fits whole: the side with more room, moved inside the area.
            top = work.bottom - below >= above + height - work.top ? below : above;
        }
    }
    top = std::max(std::min(top, work.bottom - height), work.top);

    int32_t left = clock.left;
    if (left + width > work.right) left = clockRight - width;
    left = std::max(std::min(left, work.right - width), work.left);
    return {left, top, width, height};
}

}  // namespace quorrin
