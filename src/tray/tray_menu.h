// The tray menu's entries and the rules around it: which icon event opens it, and when the
// program may end after "退出程序" (only once no settings dialog is left open).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quorrin {

enum class TrayMenuEntry : uint16_t {
    TimingSettings = 101,  // 计时设置
    StyleSettings = 102,   // 外观设置
    SoundSettings = 103,   // 声音设置
    Exit = 104,            // 退出程序
    TalkSettings = 105,    // 放映控制
};

struct TrayMenuItem {
    TrayMenuEntry entry;
    const char* captionUtf8;
};

// The menu, top to bottom.
inline constexpr std::array<TrayMenuItem, 5> kTrayMenuItems{{
    {TrayMenuEntry::TimingSettings, "计时设置"},
    {TrayMenuEntry::StyleSettings, "外观设置"},
    {TrayMenuEntry::SoundSettings, "声音设置"},
    {TrayMenuEntry::TalkSettings, "放映控制"},
    {TrayMenuEntry::Exit, "退出程序"},
}};

// The entry behind a menu command id; nothing for ids that are not the menu's.
std::optional<TrayMenuEntry> TrayMenuEntryFromId(uint32_t commandId);

// The icon's mouse events arrive as window-message codes; only the right button's press
// opens the menu (left clicks, double clicks, the release and plain moves do nothing).
inline constexpr uint32_t kIconRightButtonDown = 0x0204;
inline bool IconEventOpensMenu(uint32_t iconEvent) { return iconEvent == kIconRightButtonDown; }

// Whether the program may end: the clock window has been closed and every settings dialog
// has gone. A dialog left open keeps the program running after "退出程序".
class ProgramLifetime {
  public:
    void DialogOpened() { ++openDialogs_; }
    void DialogClosed() {
        if (openDialogs_ > 0) --openDialogs_;
    }
    void ClockClosed() { clockClosed_ = true; }
    bool MayEnd() const { return clockClosed_ && openDialogs_ == 0; }

  private:
    int openDialogs_ = 0;
    bool clockClosed_ = false;
};

}  // namespace quorrin
