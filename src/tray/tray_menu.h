// The tray menu's entries and the rules around it: which icon event opens it, and when the
// program may end after "退出程序" (only once no settings dialog is left open).
#pragma once

#include "texts/language_choice.h"
#include "texts/texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quorrin {

enum class TrayMenuEntry : uint16_t {
    Separator = 0,           // a line between groups of entries; never chosen
    TimingSettings = 101,    // 计时设置
    StyleSettings = 102,     // 外观设置
    SoundSettings = 103,     // 声音设置
    Exit = 104,              // 退出程序
    TalkSettings = 105,      // 放映控制
    StartWithWindows = 106,  // 开机时自动运行, ticked and greyed as the registry says
    About = 107,             // 关于 Quorrin
    Languages = 108,         // 语言 / Language, the submenu below; never chosen itself
    LanguageAuto = 109,      // 自动: the user's UI language
    LanguageChinese = 110,   // 中文
    LanguageEnglish = 111,   // English
};

struct TrayMenuItem {
    TrayMenuEntry entry;
    TextId caption = TextId::AppName;  // not used for a separator
};

// The menu, top to bottom: the dialogs, the program's own entries, the exit.
inline constexpr std::array<TrayMenuItem, 10> kTrayMenuItems{{
    {TrayMenuEntry::TimingSettings, TextId::MenuTimingSettings},
    {TrayMenuEntry::StyleSettings, TextId::MenuStyleSettings},
    {TrayMenuEntry::SoundSettings, TextId::MenuSoundSettings},
    {TrayMenuEntry::TalkSettings, TextId::MenuTalkSettings},
    {TrayMenuEntry::Separator},
    {TrayMenuEntry::StartWithWindows, TextId::MenuAutostart},
    {TrayMenuEntry::About, TextId::MenuAbout},
    {TrayMenuEntry::Languages, TextId::MenuLanguage},
    {TrayMenuEntry::Separator},
    {TrayMenuEntry::Exit, TextId::MenuExit},
}};

// The language submenu, with the setting each entry chooses; the one in force is ticked.
struct LanguageMenuItem {
    TrayMenuEntry entry;
    TextId caption;
    LanguageSetting setting;
};
inline constexpr std::array<LanguageMenuItem, 3> kLanguageMenuItems{{
    {TrayMenuEntry::LanguageAuto, TextId::MenuLanguageAuto, LanguageSetting::Auto},
    {TrayMenuEntry::LanguageChinese, TextId::MenuLanguageChinese, LanguageSetting::Chinese},
    {TrayMenuEntry::LanguageEnglish, TextId::MenuLanguageEnglish, LanguageSetting::English},
}};

// The setting a language entry chooses; nothing for the other entries.
std::optional<LanguageSetting> LanguageOfEntry(TrayMenuEntry entry);

// How an entry shows in the menu about to open, where that changes: its caption, its tick
// and whether it is greyed (shown, but cannot be chosen).
struct TrayMenuItemLook {
    std::string captionUtf8;
    bool checked = false;
    bool grayed = false;
};

// The entry behind a menu command id; nothing for ids that are not a chosen entry's (0 among
// them, which is what a dismissed menu gives).
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
