#include "clock/clock_font_win32.h"

#include "win32/debug_log_win32.h"

namespace quorrin {

UniqueFont MakeClockFont(const std::wstring& face, int32_t heightPixels) {
    LOGFONTW font{};
    font.lfHeight = -heightPixels;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created) LogLastError(L"CreateFontIndirectW for the clock's face");
    return created;
}

}  // namespace quorrin
