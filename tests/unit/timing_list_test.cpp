#include "dialogs/timing/timing_list.h"
#include "dialogs/timing/timing_rows.h"

#include "settings/text_codec.h"
#include "texts/texts.h"
#include "language_scope.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(TimingRows, RowTextForTheListBoxInEachLanguage) {
    const PresentationSlot shared{600, 30, true, false, kAllPresentationsLabel, 0};
    EXPECT_EQ(TimingRowText(shared, true), "00:10:00\t00:00:30\t是\t否\t所有演示文稿");
    EXPECT_EQ(TimingRowText({3723, 0, false, true, "Intro", 5}, false),
              "01:02:03\t00:00:00\t否\t是\tIntro");
    const testing::LanguageScope english(Language::English);
    // The shared timing's label is shown translated; a presentation of that name is not.
    EXPECT_EQ(TimingRowText(shared, true), "00:10:00\t00:00:30\tYes\tNo\tAll presentations");
    EXPECT_EQ(TimingRowText(shared, false), "00:10:00\t00:00:30\tYes\tNo\t所有演示文稿");
}

// The editor shows the shared timing's label in the user's language and saves it as the file
// holds it; a presentation's name is shown and saved as it is, whatever it is called.
TEST(TimingRows, SharedTimingsLabelIsShownTranslatedAndMappedBack) {
    for (const Language language : {Language::Chinese, Language::English}) {
        const testing::LanguageScope speaking(language);
        const std::string shown = PresentationNameToShow(kAllPresentationsLabel, true);
        EXPECT_EQ(shown, Text(TextId::AllPresentations));
        EXPECT_EQ(PresentationNameFromShown(shown, true), kAllPresentationsLabel);
        EXPECT_EQ(PresentationNameFromShown(PresentationNameToShow("Intro", false), false),
                  "Intro");
    }
    const testing::LanguageScope english(Language::English);
    EXPECT_EQ(PresentationNameToShow(kAllPresentationsLabel, true), "All presentations");
    // A presentation really named so keeps its name.
    EXPECT_EQ(PresentationNameFromShown("All presentations", false), "All presentations");
}

TEST(TimingRows, BaseNameDropsFolderTrailingSpacesAndOnlyTheLastExtension) {
    EXPECT_EQ(PresentationBaseName("D:\\talks\\Intro.pptx"), "Intro");
    EXPECT_EQ(PresentationBaseName("D:\\talks\\a.b.ppt"), "a.b");
    EXPECT_EQ(PresentationBaseName("Intro.ppt  "), "Intro");
    EXPECT_EQ(PresentationBaseName("C:\\x.y\\talk"), "talk");  // a dot in a folder stays out
    EXPECT_EQ(PresentationBaseName("D:\\年会\\总结 .dps"), "总结 ");
}

TEST(TimingRows, NameClashIsContainmentEitherWayCaseSensitiveAndTakesEveryRow) {
    const std::vector<std::string> names = {"Outro", "Intro2"};
    EXPECT_EQ(FindNameClash("Intro", names), "Intro2");
    EXPECT_EQ(FindNameClash("Intr", {"Intro"}), "Intro");
    EXPECT_EQ(FindNameClash("MyOutro", names), "Outro");
    EXPECT_EQ(FindNameClash("intro", names), std::nullopt);
    EXPECT_EQ(FindNameClash("Other", names), std::nullopt);
    EXPECT_EQ(FindNameClash("Anything", {""}), "");
    EXPECT_EQ(FindNameClash("Intro", {"Intro"}), "Intro");
    EXPECT_EQ(NameClashMessage("Intro", "Intro2"),
              "对不起，该文件名[Intro]与列表中已存在的文件名[Intro2]存在名称上的匹配关系，会"
              "引起误判断，请重新命名该文件名");
}

TEST(TimingRows, NamesConfigIniCannotGiveBackAreRefused) {
    EXPECT_TRUE(NameStorableInSettings("年度总结"));
    EXPECT_TRUE(NameStorableInSettings("it's"));
    EXPECT_FALSE(NameStorableInSettings(""));
    EXPECT_TRUE(NameStorableInSettings("Präsentation"));  // not in GBK: Config.ini goes UTF-16
    EXPECT_FALSE(NameStorableInSettings(" lead"));
    EXPECT_FALSE(NameStorableInSettings("trail "));
    EXPECT_FALSE(NameStorableInSettings("'quoted'"));
    EXPECT_FALSE(NameStorableInSettings("\"quoted\""));
    std::string longest;
    for (int i = 0; i < 127; ++i) longest += "年";  // 254 bytes in GBK
    EXPECT_TRUE(NameStorableInSettings(longest));
    EXPECT_FALSE(NameStorableInSettings(longest + "a"));
}

AppState StoredState() {
    AppState s;
    ResetSettings(s);
    s.General.SameMode = false;
    s.General.PresentationCount = 3;
    for (int n = 1; n <= 3; ++n) {
        s.Presentations.Store(n, {n * 60, 10, true, n == 2, "P" + std::to_string(n), n});
    }
    return s;
}

TEST(TimingList, FillAddReplaceRemoveKeepTheRemainingTimes) {
    const AppState s = StoredState();
    TimingList list;
    list.Fill(s, false);
    ASSERT_EQ(list.Rows().size(), 1u);
    EXPECT_EQ(list.Rows()[0].timing.File, kAllPresentationsLabel);
    EXPECT_EQ(list.Rows()[0].storedSlot, 0);
    list.Fill(s, true);
    ASSERT_EQ(list.Rows().size(), 3u);
    EXPECT_EQ(list.Rows()[1].timing.TimeFree, 2);
    list.Replace(1, {300, 10, false, false, "P2", 2});
    EXPECT_EQ(list.Rows()[1].timing.TimeFree, 0);
    EXPECT_EQ(list.Rows()[1].storedSlot, std::nullopt);
    list.Remove(0);
    list.Add({300, 10, false, false, "New", 7});
    ASSERT_EQ(list.Rows().size(), 3u);
    EXPECT_EQ(list.Rows()[0].timing.TimeCnt, 300);
    EXPECT_EQ(list.Rows()[1].timing.TimeFree, 3);
    EXPECT_EQ(list.Rows()[2].timing.TimeFree, 0);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"P2", "P3", "New"}));
}

TEST(TimingList, AHundredRowsIsTheMostAddedAndSaved) {
    TimingList list;
    for (int i = 0; i < kMaxPresentations; ++i) {
        EXPECT_TRUE(list.Add({60, 0, false, false, "N" + std::to_string(i), 0}));
    }
    EXPECT_FALSE(list.CanAdd());
    EXPECT_FALSE(list.Add({60, 0, false, false, "one too many", 0}));
    EXPECT_EQ(list.Rows().size(), 100u);
    EXPECT_EQ(PlanTimingSave(StoredState(), true, false, list).settings.timings.size(), 100u);
}

// Stores the plan over a file of `utf8Before`.
struct SavedFile {
    TempFolder folder;
    std::string path = folder.File("Config.ini");
    AppState state = StoredState();

    SavedFile(const std::string& utf8Before, const TimingSave& save) {
        WriteBytes(path, Utf8ToGbk(utf8Before));
        IniStore store(path);
        store.SetFlushMode(FlushMode::NoFlush);
        ConfigFile config(state, store, nullptr);
        EXPECT_TRUE(StoreTimingSave(state, config, save));
    }
    std::string Text() const { return GbkToUtf8(ReadBytes(path)); }
};

constexpr const char* kBefore =
    "[Normal]\r\nSameMode=False\r\nReSetTime=True\r\ntimeCnt=00:10:00\r\nfile=所有演示文稿\r\n"
    "[PPTFiles]\r\npptFiles=3\r\ntimeCnt3=00:03:00\r\nfile3=P3\r\n[Style]\r\nWidth=1\r\n";

TEST(TimingSave, IndividualModeRewritesPptFilesInRowOrder) {
    TimingList list;
    list.Fill(StoredState(), true);
    list.Remove(1);
    const TimingSave save = PlanTimingSave(StoredState(), false, false, list);
    const SavedFile file(kBefore, save);
    EXPECT_EQ(
        file.Text(),
        "[Normal]\r\nSameMode=False\r\nReSetTime=False\r\ntimeCnt=00:10:00\r\nfile=所有演示文稿"
        "\r\n[Style]\r\nWidth=1\r\n[PPTFiles]\r\npptFiles=2\r\ntimeCnt1=00:01:00\r\n"
        "timeWarning1=00:00:10\r\nflush1=True\r\nclose1=False\r\nfile1=P1\r\n"
        "timeFree1=00:00:01\r\ntimeCnt2=00:03:00\r\ntimeWarning2=00:00:10\r\nflush2=True\r\n"
        "close2=False\r\nfile2=P3\r\ntimeFree2=00:00:03\r\n");
    EXPECT_EQ(file.state.General.PresentationCount, 2);
    EXPECT_FALSE(file.state.General.ResetTime);
    EXPECT_EQ(file.state.Presentations.At(2)->File, "P3");
    EXPECT_EQ(file.state.Presentations.At(2)->TimeCnt, 180);
}

TEST(TimingSave, SharedModeWritesNormalKeysAndLeavesPptFilesAlone) {
    const AppState before = StoredState();
    TimingList list;
    list.Fill(before, false);
    list.Replace(0, {3723, 30, false, true, "全部", 9});
    const TimingSave save = PlanTimingSave(before, true, true, list);
    const SavedFile file(kBefore, save);
    EXPECT_EQ(
        file.Text(),
        "[Normal]\r\nSameMode=True\r\nReSetTime=True\r\ntimeCnt=01:02:03\r\nfile=全部\r\n"
        "timeWarning=00:00:30\r\nflush=False\r\nclose=True\r\ntimeFree=00:00:00\r\n"
        "[PPTFiles]\r\npptFiles=3\r\ntimeCnt3=00:03:00\r\nfile3=P3\r\n[Style]\r\nWidth=1\r\n");
    EXPECT_EQ(file.state.Presentations.At(0)->TimeCnt, 3723);
    EXPECT_TRUE(file.state.General.SameMode);
    EXPECT_EQ(file.state.General.PresentationCount, 3);
    EXPECT_EQ(file.state.Presentations.At(3)->File, "P3");
}

TEST(TimingSave, ClearedIndividualListLeavesOnlyTheCount) {
    TimingList list;
    const SavedFile file(kBefore, PlanTimingSave(StoredState(), true, false, list));
    EXPECT_NE(file.Text().find("[PPTFiles]\r\npptFiles=0\r\n"), std::string::npos);
    EXPECT_EQ(file.Text().find("timeCnt3"), std::string::npos);
    EXPECT_EQ(file.state.General.PresentationCount, 0);
}

TEST(TimingSave, FailedWriteChangesNothing) {
    TempFolder folder;
    IniStore store(folder.File("missing-folder/Config.ini"));
    AppState state = StoredState();
    ConfigFile config(state, store, nullptr);
    TimingList list;
    EXPECT_FALSE(StoreTimingSave(state, config, PlanTimingSave(state, true, false, list)));
    EXPECT_EQ(state.General.PresentationCount, 3);
    EXPECT_FALSE(state.General.SameMode);
}

// A countdown running on P3 (slot 3) while the dialog is open.
struct RunningCountdown : ::testing::Test {
    AppState state = StoredState();
    TimingList list;
    void SetUp() override {
        list.Fill(state, true);
        state.Countdown.ShowActive = true;
        state.Countdown.CurrentSlot = 3;
        state.Presentations.At(3)->TimeFree = 95;  // written by the countdown meanwhile
    }
};

TEST_F(RunningCountdown, RunningRowKeepsItsLiveTimeAndTheCountdownFollowsIt) {
    list.Remove(0);
    const TimingSave save = PlanTimingSave(state, true, false, list);
    EXPECT_EQ(save.countdownSlot, 2);
    AppState after = state;
    TempFolder folder;
    IniStore store(folder.File("Config.ini"));
    ConfigFile config(after, store, nullptr);
    ASSERT_TRUE(StoreTimingSave(after, config, save));
    EXPECT_EQ(after.Countdown.CurrentSlot, 2);
    EXPECT_EQ(after.Presentations.At(2)->TimeFree, 95);
    EXPECT_NE(GbkToUtf8(ReadBytes(folder.File("Config.ini"))).find("timeFree2=00:01:35\r\n"),
              std::string::npos);
}

TEST_F(RunningCountdown, RemovedEditedOrModeChangedRowLeavesTheCountdownWithoutSlot) {
    list.Remove(2);
    EXPECT_EQ(PlanTimingSave(state, true, false, list).countdownSlot, kNoSlot);
    list.Fill(state, true);
    list.Replace(2, *state.Presentations.At(3));
    const TimingSave edited = PlanTimingSave(state, true, false, list);
    EXPECT_EQ(edited.countdownSlot, kNoSlot);
    EXPECT_EQ(edited.settings.timings[2].TimeFree, 0);
    list.Fill(state, false);
    EXPECT_EQ(PlanTimingSave(state, true, true, list).countdownSlot, kNoSlot);
    state.Countdown.ShowActive = false;
    EXPECT_EQ(PlanTimingSave(state, true, true, list).countdownSlot, std::nullopt);
}

}  // namespace
}  // namespace quorrin
