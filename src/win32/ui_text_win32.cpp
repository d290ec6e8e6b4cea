#include "win32/ui_text_win32.h"

#include "win32/wide_text_win32.h"

namespace quorrin {

std::wstring UiText(TextId id) { return Utf8ToWide(Text(id)); }

std::wstring UiText(TextId id, std::initializer_list<std::string_view> arguments) {
    return Utf8ToWide(FormatText(id, arguments));
}

}  // namespace quorrin
