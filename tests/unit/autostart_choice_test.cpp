// Whether this copy starts with Windows, from the Run value, Task Manager's bytes and where
// the .exe lies.
#include "autostart/autostart_choice.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr const char* kExe = "C:\\Program Files\\Quorrin\\Quorrin.exe";
const std::vector<uint8_t> kEnabledBytes{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kDisabledBytes{0x03, 0, 0, 0, 0x5e, 0x1f, 0, 0, 0, 0, 0, 0};

AutostartFacts Facts(std::optional<std::string> runValue) {
    return {.runValue = std::move(runValue), .approvedBytes = {}, .exePath = kExe};
}

TEST(Autostart, TheRunValueStartsThisCopyInAnySpellingOfItsPath) {
    EXPECT_TRUE(DecideAutostart(Facts(RunValueFor(kExe))).startsThisCopy) << "as written here";
    for (const char* value : {
             "\"c:\\program files\\QUORRIN\\quorrin.EXE\"",                // case
             "C:\\Program Files\\Quorrin\\Quorrin.exe",                    // no quotes
             "  \"C:/Program Files/Quorrin//Quorrin.exe\" /minimised",     // slashes, arguments
             "C:\\Program Files\\Quorrin\\Quorrin.exe --tray",             // unquoted arguments
             "\"C:\\Program Files\\Other\\..\\Quorrin\\.\\Quorrin.exe\"",  // dot segments
             "\"\\\\?\\C:\\Program Files\\Quorrin\\Quorrin.exe\"",         // long-path prefix
         }) {
        EXPECT_TRUE(DecideAutostart(Facts(value)).startsThisCopy) << value;
    }
}

TEST(Autostart, AMovedCopyOrAnotherProgramIsNotThisOne) {
    for (const char* value : {
             "\"D:\\Quorrin\\Quorrin.exe\"",  // a copy moved away
             "\"C:\\Program Files\\Quorrin\\Quorrin.exe.bak\"",
             "\"C:\\Program Files\\Quorrin\"",  // its folder
             "C:\\Program Files\\Quorrin\\Other.exe C:\\Program Files\\Quorrin\\Quorrin.exe",
             "\"\"",
             "",
         }) {
        EXPECT_FALSE(DecideAutostart(Facts(value)).startsThisCopy) << value;
    }
    EXPECT_FALSE(DecideAutostart(Facts(std::nullopt)).startsThisCopy) << "no value";
    AutostartFacts unknownExe = Facts("\"\"");
    unknownExe.exePath.clear();
    EXPECT_FALSE(DecideAutostart(unknownExe).startsThisCopy) << "no path to compare with";
    EXPECT_FALSE(SamePath("\\\\server\\share\\Quorrin.exe", "\\server\\share\\Quorrin.exe"));
    EXPECT_FALSE(SamePath("C:\\..\\Quorrin.exe", "D:\\Quorrin.exe"));
}

TEST(Autostart, TaskManagersChoiceAndARemovableDriveBlockTheSwitch) {
    AutostartFacts facts = Facts(RunValueFor(kExe));
    facts.approvedBytes = kEnabledBytes;
    EXPECT_EQ(DecideAutostart(facts), (AutostartChoice{true, AutostartBlock::None}));
    EXPECT_EQ(AutostartAnswer(DecideAutostart(facts)), "是");

    facts.approvedBytes = kDisabledBytes;
    const AutostartChoice disabled = DecideAutostart(facts);
    EXPECT_EQ(disabled, (AutostartChoice{true, AutostartBlock::DisabledInTaskManager}));
    EXPECT_EQ(AutostartAnswer(disabled), "否（已在任务管理器中禁用）") << "it starts nothing";
    facts.runValue.reset();
    EXPECT_EQ(DecideAutostart(facts).block, AutostartBlock::DisabledInTaskManager)
        << "the choice stands while the value is gone";
    facts.onRemovableDrive = true;
    EXPECT_EQ(DecideAutostart(facts).block, AutostartBlock::DisabledInTaskManager)
        << "the user's choice is named first";

    facts.approvedBytes = {0x06};  // enabled again (low bit clear)
    const AutostartChoice removable = DecideAutostart(facts);
    EXPECT_EQ(removable, (AutostartChoice{false, AutostartBlock::RemovableDrive}));
    EXPECT_EQ(AutostartMenuCaption(removable.block), "开机时自动运行（程序在可移动磁盘上）");
    EXPECT_EQ(AutostartAnswer(removable), "否（程序在可移动磁盘上）");
    facts.approvedBytes.clear();
    EXPECT_EQ(DecideAutostart(facts).block, AutostartBlock::RemovableDrive);
}

}  // namespace
}  // namespace quorrin
