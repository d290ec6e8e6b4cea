// The tray menu's entries, which icon events open it, and when the program may end.
#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorrin {
namespace {

TEST(TrayMenu, EntriesInTheirOrderEachFoundByItsIdAndSeparatorsNever) {
    const char* const captions[] = {"计时设置", "外观设置",       "声音设置",     "放映控制",
                                    nullptr,    "开机时自动运行", "关于 Quorrin", "语言 / Language",
                                    nullptr,    "退出程序"};
    ASSERT_EQ(std::size(captions), kTrayMenuItems.size());
    std::set<uint32_t> ids;
    for (size_t i = 0; i < kTrayMenuItems.size(); ++i) {
        const TrayMenuItem& item = kTrayMenuItems[i];
        if (captions[i] == nullptr) {
            EXPECT_EQ(item.entry, TrayMenuEntry::Separator) << i;
            continue;
        }
        EXPECT_EQ(Text(item.caption), captions[i]);
        const auto id = static_cast<uint32_t>(item.entry);
        EXPECT_NE(id, 0u) << "0 is what a dismissed menu returns";
        ids.insert(id);
        // The submenu's own entry opens the submenu; it is never a choice.
        const bool chosen = item.entry != TrayMenuEntry::Languages;
        EXPECT_EQ(TrayMenuEntryFromId(id), chosen ? std::optional(item.entry) : std::nullopt);
    }
    for (const LanguageMenuItem& item : kLanguageMenuItems) {
        ids.insert(static_cast<uint32_t>(item.entry));
        EXPECT_EQ(TrayMenuEntryFromId(static_cast<uint32_t>(item.entry)), item.entry);
        EXPECT_EQ(LanguageOfEntry(item.entry), item.setting);
    }
    EXPECT_EQ(ids.size(), 11u) << "one id per entry";
    EXPECT_EQ(LanguageOfEntry(TrayMenuEntry::About), std::nullopt);
    EXPECT_EQ(TrayMenuEntryFromId(0), std::nullopt) << "a dismissed menu chooses nothing";
    EXPECT_EQ(TrayMenuEntryFromId(112), std::nullopt);
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
