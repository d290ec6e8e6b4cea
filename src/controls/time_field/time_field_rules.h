// The rules of the HH:MM:SS time entry field, without a window: the text is always eight
// characters, exactly one digit is selected, a typed digit overwrites the selected one and
// the selection moves on to the next digit, and every digit position takes only digits that keep
// the time within 00:00:00..23:59:59. The window part feeds key and mouse events through these.
//
// Positions are 0-based: 0-1 hours, 2 ":", 3-4 minutes, 5 ":", 6-7 seconds, 8 the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

inline constexpr std::string_view kEmptyFieldTime = "00:00:00";
inline constexpr int kFieldTextLength = 8;
inline constexpr int kFieldEndPosition = 8;

// Virtual-key codes the release rule tells apart.
inline constexpr uint32_t kKeyLeft = 37;
inline constexpr uint32_t kKeyRight = 39;

enum class StepDirection { Forward, Backward };

class TimeFieldRules {
  public:
    // Forward: wraps from the end to 0 and skips a colon. Backward: one back, skips a colon,
    // stops at 0.
    static int StepPosition(int position, StepDirection direction);

    // The digit a selection start stands for: a caret before a colon or at the end means
    // the digit to its left.
    static int DigitAt(int caret);

    // Key press: whether `typed` may replace the digit at `position`.
    static bool Accepts(std::string_view text, int position, char32_t typed);
    // A typed character on the digit selected at `position`. Refused: nothing, and `text`
    // stays. Accepted: `text` takes the digit, hours above 23 after the tens digit went in
    // become x0, and the answer is the digit to select next (past a colon, from the last
    // back to the first). The next digit is chosen here and not at the key's release, which
    // may come only after the next key's character.
    static std::optional<int> Type(std::string& text, int position, char32_t typed);

    // Key release: the position to select, from the position selected before the key and
    // the caret the key left (`caret`).
    static int AfterKeyRelease(int before, int caret, uint32_t keyCode);

    // Whether the text has the field's exact form and range.
    static bool IsFieldText(std::string_view text);
    // The seconds of a text of the field's form and range; nothing for any other text.
    static std::optional<int32_t> FieldSeconds(std::string_view text);
    // The text to show for a stored time: itself when the field can hold it, 23:59:59 for
    // longer times, 00:00:00 for text that is no time.
    static std::string FieldTextFor(std::string_view storedTime);
};

}  // namespace quorrin
