// The tray menu as one table: each row is an entry with its command id, its caption, what
// choosing it does and, where it changes, how it shows (tick, grey, caption). The rows
// act on a TrayCommands, which the program implements; the menu window is built from the
// same rows. Also the rules around the menu: which icon event opens it, and when the program
// may end after "退出程序" (only once no settings dialog is left open).
#pragma once

#include "texts/language_choice.h"
#include "texts/texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quorrin {

enum class TrayMenuEntry : uint16_t {
    Separator = 0,  // a line between groups of entries; never chosen
    TimingSettings = 101,
    StyleSettings = 102,
    SoundSettings = 103,
    Exit = 104,
    TalkSettings = 105,
    StartWithWindows = 106,
    About = 107,
    Languages = 108,  // the submenu of the rows below it; never chosen itself
    LanguageAuto = 109,
    LanguageChinese = 110,
    LanguageEnglish = 111,
    TalkHistory = 112,
    Timekeeper = 113,
};

// How an entry shows in the menu about to open: its caption (empty: the row's own), its
// tick and whether it is greyed (shown, but cannot be chosen).
struct TrayMenuItemLook {
    std::string captionUtf8;
    bool checked = false;
    bool grayed = false;
};

// What the menu's entries do, and the state some of them show.
class TrayCommands {
  public:
    virtual void OpenTimingSettings() = 0;
    virtual void OpenStyleSettings() = 0;
    virtual void OpenSoundSettings() = 0;
    virtual void OpenTalkSettings() = 0;
    virtual void OpenTalkHistory() = 0;
    virtual void OpenTimekeeper() = 0;
    virtual void OpenAbout() = 0;
    virtual void ToggleAutostart() = 0;
    virtual void ChooseLanguage(LanguageSetting language) = 0;
    virtual void Exit() = 0;

    // 开机时自动运行 as the registry has it now.
    virtual TrayMenuItemLook AutostartLook() const = 0;
    // The language setting in force, ticked in the submenu.
    virtual LanguageSetting Language() const = 0;

  protected:
    ~TrayCommands() = default;
};

enum class TrayMenuRowKind : uint8_t {
    Command,         // an entry of the menu
    Separator,       // a line
    Submenu,         // opens the submenu made of the SubmenuCommand rows that follow it
    SubmenuCommand,  // an entry of the submenu above
};

struct TrayMenuRow {
    TrayMenuEntry entry = TrayMenuEntry::Separator;
    TrayMenuRowKind kind = TrayMenuRowKind::Separator;
    TextId caption = TextId::AppName;  // not used for a separator
    void (*run)(TrayCommands&) = nullptr;
    // Null: the row always shows its caption, unticked and enabled.
    TrayMenuItemLook (*look)(const TrayCommands&) = nullptr;
};

template <LanguageSetting language>
TrayMenuItemLook LanguageLook(const TrayCommands& commands) {
    return {.captionUtf8 = {}, .checked = commands.Language() == language, .grayed = false};
}

template <LanguageSetting language>
void ChooseLanguage(TrayCommands& commands) {
    commands.ChooseLanguage(language);
}

// The menu, top to bottom: the dialogs, the program's own entries, the exit.
inline constexpr std::array<TrayMenuRow, 15> kTrayMenuRows{{
    {TrayMenuEntry::TimingSettings, TrayMenuRowKind::Command, TextId::MenuTimingSettings,
     [](TrayCommands& c) { c.OpenTimingSettings(); }},
    {TrayMenuEntry::StyleSettings, TrayMenuRowKind::Command, TextId::MenuStyleSettings,
     [](TrayCommands& c) { c.OpenStyleSettings(); }},
    {TrayMenuEntry::SoundSettings, TrayMenuRowKind::Command, TextId::MenuSoundSettings,
     [](TrayCommands& c) { c.OpenSoundSettings(); }},
    {TrayMenuEntry::TalkSettings, TrayMenuRowKind::Command, TextId::MenuTalkSettings,
     [](TrayCommands& c) { c.OpenTalkSettings(); }},
    {TrayMenuEntry::TalkHistory, TrayMenuRowKind::Command, TextId::MenuTalkHistory,
     [](TrayCommands& c) { c.OpenTalkHistory(); }},
    {TrayMenuEntry::Timekeeper, TrayMenuRowKind::Command, TextId::MenuTimekeeper,
     [](TrayCommands& c) { c.OpenTimekeeper(); }},
    {},
    // Greyed, with the reason in its caption, when Task Manager or the drive keeps it off.
    {TrayMenuEntry::StartWithWindows, TrayMenuRowKind::Command, TextId::MenuAutostart,
     [](TrayCommands& c) { c.ToggleAutostart(); },
     [](const TrayCommands& c) { return c.AutostartLook(); }},
    {TrayMenuEntry::About, TrayMenuRowKind::Command, TextId::MenuAbout,
     [](TrayCommands& c) { c.OpenAbout(); }},
    {TrayMenuEntry::Languages, TrayMenuRowKind::Submenu, TextId::MenuLanguage},
    {TrayMenuEntry::LanguageAuto, TrayMenuRowKind::SubmenuCommand, TextId::MenuLanguageAuto,
     &ChooseLanguage<LanguageSetting::Auto>, &LanguageLook<LanguageSetting::Auto>},
    {TrayMenuEntry::LanguageChinese, TrayMenuRowKind::SubmenuCommand, TextId::MenuLanguageChinese,
     &ChooseLanguage<LanguageSetting::Chinese>, &LanguageLook<LanguageSetting::Chinese>},
    {TrayMenuEntry::LanguageEnglish, TrayMenuRowKind::SubmenuCommand, TextId::MenuLanguageEnglish,
     &ChooseLanguage<LanguageSetting::English>, &LanguageLook<LanguageSetting::English>},
    {},
    {TrayMenuEntry::Exit, TrayMenuRowKind::Command, TextId::MenuExit,
     [](TrayCommands& c) { c.Exit(); }},
}};

// The row behind a menu command id; null for ids that are not a chosen entry's (0 among
// them, which is what a dismissed menu gives).
const TrayMenuRow* TrayMenuRowOfId(uint32_t commandId);

// Does what the entry with this command id does; false when the id chooses nothing.
bool RunTrayCommand(uint32_t commandId, TrayCommands& commands);

// The look of a row in the menu about to open, its caption in the current language.
TrayMenuItemLook TrayMenuLookOf(const TrayMenuRow& row, const TrayCommands& commands);

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
