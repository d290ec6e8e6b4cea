// The tray menu's rows and what they run, which icon events open it, and when the program
// may end.
#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorrin {
namespace {

// Records what the menu's commands did, with a registry and a language to show.
class RecordingCommands final : public TrayCommands {
  public:
    void OpenTimingSettings() override { done += "timing "; }
    void OpenStyleSettings() override { done += "style "; }
    void OpenSoundSettings() override { done += "sound "; }
    void OpenTalkSettings() override { done += "talk "; }
    void OpenTalkHistory() override { done += "history "; }
    void OpenTimekeeper() override { done += "timekeeper "; }
    void OpenAbout() override { done += "about "; }
    void ToggleAutostart() override { done += "autostart "; }
    void ChooseLanguage(LanguageSetting chosen) override {
        done += "language:" + std::string(LanguageSettingText(chosen)) + " ";
    }
    void Exit() override { done += "exit "; }
    TrayMenuItemLook AutostartLook() const override { return autostart; }
    LanguageSetting Language() const override { return language; }

    std::string done;
    TrayMenuItemLook autostart;
    LanguageSetting language = LanguageSetting::Auto;
};

TEST(TrayMenu, RowsInTheirOrderEachIdRunsItsOwnCommandAndNoOther) {
    struct Expected {
        const char* caption;  // null: a separator
        const char* done;     // null: chooses nothing
    };
    const Expected expected[] = {
        {"计时设置", "timing "},
        {"外观设置", "style "},
        {"声音设置", "sound "},
        {"放映控制", "talk "},
        {"演讲记录", "history "},
        {"远程计时…", "timekeeper "},
        {nullptr, nullptr},
        {"开机时自动运行", "autostart "},
        {"关于 Quorrin", "about "},
        {"语言 / Language", nullptr},
        {"自动", "language:auto "},
        {"中文", "language:zh-CN "},
        {"English", "language:en-US "},
        {nullptr, nullptr},
        {"退出程序", "exit "},
    };
    ASSERT_EQ(std::size(expected), kTrayMenuRows.size());
    std::set<uint32_t> ids;
    for (size_t i = 0; i < kTrayMenuRows.size(); ++i) {
        const TrayMenuRow& row = kTrayMenuRows[i];
        const auto id = static_cast<uint32_t>(row.entry);
        RecordingCommands commands;
        if (expected[i].caption == nullptr) {
            EXPECT_EQ(row.kind, TrayMenuRowKind::Separator) << i;
            EXPECT_FALSE(RunTrayCommand(id, commands)) << "a separator chooses nothing";
            continue;
        }
        EXPECT_NE(id, 0u) << "0 is what a dismissed menu returns";
        EXPECT_TRUE(ids.insert(id).second) << "one id per entry: " << id;
        EXPECT_EQ(TrayMenuLookOf(row, commands).captionUtf8, expected[i].caption) << i;
        EXPECT_EQ(RunTrayCommand(id, commands), expected[i].done != nullptr) << i;
        EXPECT_EQ(commands.done, expected[i].done ? expected[i].done : "") << i;
    }
    RecordingCommands commands;
    EXPECT_FALSE(RunTrayCommand(0, commands)) << "a dismissed menu chooses nothing";
    EXPECT_FALSE(RunTrayCommand(114, commands));
    EXPECT_EQ(commands.done, "");
}

TEST(TrayMenu, SubmenuRowsFollowTheirSubmenuAndTheLanguageInForceIsTheOnlyTick) {
    TrayMenuRowKind previous = TrayMenuRowKind::Separator;
    for (const TrayMenuRow& row : kTrayMenuRows) {
        if (row.kind == TrayMenuRowKind::SubmenuCommand) {
            EXPECT_TRUE(previous == TrayMenuRowKind::Submenu ||
                        previous == TrayMenuRowKind::SubmenuCommand)
                << static_cast<int>(row.entry) << " would be lost outside a submenu";
        }
        previous = row.kind;
    }
    RecordingCommands commands;
    commands.language = LanguageSetting::English;
    std::string ticked;
    for (const TrayMenuRow& row : kTrayMenuRows) {
        if (row.kind == TrayMenuRowKind::Separator) continue;
        const TrayMenuItemLook look = TrayMenuLookOf(row, commands);
        if (look.checked) ticked += look.captionUtf8 + ";";
        EXPECT_FALSE(look.grayed) << look.captionUtf8;
    }
    EXPECT_EQ(ticked, "English;");
}

TEST(TrayMenu, TheAutostartEntryShowsTheRegistrysStateAndItsOwnCaptionOtherwise) {
    RecordingCommands commands;
    const TrayMenuRow* row =
        TrayMenuRowOfId(static_cast<uint32_t>(TrayMenuEntry::StartWithWindows));
    ASSERT_NE(row, nullptr);
    commands.autostart = {.captionUtf8 = {}, .checked = true, .grayed = false};
    TrayMenuItemLook look = TrayMenuLookOf(*row, commands);
    EXPECT_EQ(look.captionUtf8, "开机时自动运行") << "no caption of its own: the row's";
    EXPECT_TRUE(look.checked);
    commands.autostart = {.captionUtf8 = "blocked", .checked = false, .grayed = true};
    look = TrayMenuLookOf(*row, commands);
    EXPECT_EQ(look.captionUtf8, "blocked");
    EXPECT_TRUE(look.grayed);
    EXPECT_FALSE(look.checked);
}

TEST(TrayMenu, OnlyTheRightButtonPressOnTheIconOpensIt) {
    constexpr uint32_t kMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202, kLeftDouble = 0x0203,
                       kRightDown = 0x0204, kRightUp = 0x0205, kRightDouble = 0x0206;
    EXPECT_TRUE(IconEventOpensMenu(kRightDown));
    for (const uint32_t other : {kMove, kLeftDown, kLeftUp, kLeftDouble, kRightUp, kRightDouble}) {
        EXPECT_FALSE(IconEventOpensMenu(other)) << other;
    }
}

TEST(ProgramLifetime, EndsAtExitOrWhenTheLastDialogClosesAfterIt) {
    ProgramLifetime plain;
    EXPECT_FALSE(plain.MayEnd());
    plain.ClockClosed();
    EXPECT_TRUE(plain.MayEnd());

    ProgramLifetime withDialogs;
    withDialogs.DialogOpened();
    withDialogs.DialogOpened();
    withDialogs.DialogClosed();
    EXPECT_FALSE(withDialogs.MayEnd()) << "a dialog closing before the exit ends nothing";
    withDialogs.ClockClosed();
    EXPECT_FALSE(withDialogs.MayEnd()) << "one dialog is still open";
    withDialogs.DialogClosed();
    EXPECT_TRUE(withDialogs.MayEnd());
    withDialogs.DialogClosed();  // a stray close must not underflow the count
    withDialogs.DialogOpened();
    EXPECT_FALSE(withDialogs.MayEnd());
}

}  // namespace
}  // namespace quorrin
