#include "settings/config_file.h"

#include "settings/file_encoding.h"
#include "settings/text_codec.h"
#include "texts/texts.h"
#include "language_scope.h"
#include "temp_folder.h"
#include "utf16_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kCompleteNormal =
    "[Normal]\r\ntimeMode=0\r\nEndWarning=True\r\nReSetTime=False\r\nSameMode=False\r\n"
    "timeCnt=00:10:00\r\ntimeWarning=00:00:30\r\nflush=True\r\nclose=True\r\n"
    "file=所有演示文稿\r\ntimeFree=00:03:00\r\nSoundFile=默认声音\r\nendSoundFile=C:\\s\\end."
    "wav\r\n";

std::string Slot(int n, const std::string& file, const std::string& timeFree = "00:00:00") {
    const std::string k = std::to_string(n);
    return "timeCnt" + k + "=00:20:00\r\ntimeWarning" + k + "=00:02:00\r\nflush" + k +
           "=True\r\nclose" + k + "=False\r\nfile" + k + "=" + file + "\r\ntimeFree" + k + "=" +
           timeFree + "\r\n";
}

// Loads a Config.ini made of `utf8Text` (stored as GBK) and records the messages shown.
struct Loaded {
    TempFolder folder;
    std::string path = folder.File("Config.ini");
    AppState state;
    IniStore store{path};
    std::vector<std::string> messages;

    explicit Loaded(const std::string* utf8Text)
        : Loaded(utf8Text == nullptr ? std::nullopt : std::optional(Utf8ToGbk(*utf8Text))) {}
    // The file as these bytes.
    explicit Loaded(const std::optional<std::string>& bytes) {
        if (bytes) WriteBytes(path, *bytes);
        ConfigFile(state, store, [this](const std::string& m) {
            messages.push_back(m);
        }).LoadSettings();
    }
    std::string Text() const { return GbkToUtf8(ReadBytes(path)); }
};

TEST(LoadSettings, FirstRunWritesDefaultsAndSaysSoOnce) {
    Loaded run(nullptr);
    ASSERT_EQ(run.messages, std::vector<std::string>{std::string(Text(TextId::SettingsReset))});
    EXPECT_TRUE(run.state.General.SameMode);
    EXPECT_TRUE(run.state.General.ResetTime);
    EXPECT_TRUE(run.state.General.EndWarning);
    EXPECT_EQ(run.state.General.WarningSound, kDefaultSound);
    EXPECT_EQ(run.state.General.PresentationCount, 0);
    EXPECT_EQ(run.state.Style, DefaultStyle());

    const std::string text = run.Text();
    for (const char* line :
         {"[Normal]\r\n", "timeMode=0\r\n", "EndWarning=True\r\n", "SameMode=True\r\n",
          "timeCnt=00:10:00\r\n", "timeWarning=00:00:30\r\n", "file=所有演示文稿\r\n",
          "SoundFile=默认声音\r\n", "[Style]\r\n", "Width=3000\r\n", "Alpha=100\r\n",
          "numFontName=Arial\r\n", "bgBackColor=3394560\r\n", "BackColor=12648447\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(text.find("[PPTFiles]"), std::string::npos);
    // Chinese text is GBK on disk: 所 is CB F9.
    EXPECT_NE(ReadBytes(run.path).find("\xCB\xF9"), std::string::npos);

    // The written file loads again without any repair.
    Loaded again(&text);
    EXPECT_TRUE(again.messages.empty());
    EXPECT_EQ(again.state.Style, DefaultStyle());
    EXPECT_EQ(again.state.Presentations.At(0)->File, kAllPresentationsLabel);
}

TEST(LoadSettings, ReadsEveryValueOfACompleteFile) {
    const std::string text = std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=2\r\n" +
                             Slot(1, "talk", "00:02:05") + Slot(2, "第二讲");
    Loaded run(&text);
    EXPECT_TRUE(run.messages.empty());
    const auto& g = run.state.General;
    EXPECT_FALSE(g.SameMode);
    EXPECT_FALSE(g.ResetTime);
    EXPECT_EQ(g.EndSound, "C:\\s\\end.wav");
    EXPECT_EQ(run.state.Presentations.At(0)->TimeFree, 180);
    ASSERT_EQ(g.PresentationCount, 2);
    const PresentationSlot& first = *run.state.Presentations.At(1);
    EXPECT_EQ(first.TimeCnt, 1200);
    EXPECT_EQ(first.TimeWarning, 120);
    EXPECT_TRUE(first.Flush);
    EXPECT_FALSE(first.Close);
    EXPECT_EQ(first.File, "talk");
    EXPECT_EQ(first.TimeFree, 125);
    EXPECT_EQ(run.state.Presentations.At(2)->File, "第二讲");
}

TEST(LoadSettings, MissingStyleSectionGivesTheDefaultStyleAndLeavesTheFile) {
    const std::string text =
        std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=1\r\n" + Slot(1, "talk");
    Loaded run(&text);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.state.Style, DefaultStyle());
    EXPECT_EQ(run.Text(), text);
    // In a section that is there, each missing key reads as its default alone.
    const std::string partial = std::string(kCompleteNormal) + "[Style]\r\nAlpha=50\r\n";
    Loaded present(&partial);
    EXPECT_TRUE(present.messages.empty());
    DisplayStyle expected = DefaultStyle();
    expected.Alpha = 50;
    EXPECT_EQ(present.state.Style, expected);
    EXPECT_EQ(present.Text(), partial);
}

TEST(LoadSettings, BadNormalValueResetsNormalAndStyleButKeepsThePresentations) {
    for (const char* bad : {"timeCnt=1:30:00", "timeCnt=01:30", "flush=yes", "timeMode=256",
                            "timeMode=", "SameMode=maybe"}) {
        std::string text = kCompleteNormal;
        const std::string key = std::string(bad).substr(0, std::string(bad).find('=') + 1);
        const size_t at = text.find("\r\n" + key) + 2;
        text.replace(at, text.find("\r\n", at) - at, bad);
        text += "[Style]\r\nWidth=1234\r\n[PPTFiles]\r\npptFiles=1\r\n" + Slot(1, "talk");
        Loaded run(&text);
        EXPECT_EQ(run.messages, std::vector<std::string>{std::string(Text(TextId::SettingsReset))})
            << bad;
        EXPECT_EQ(run.state.Style, DefaultStyle()) << bad;
        EXPECT_TRUE(run.state.General.SameMode) << bad;
        EXPECT_EQ(run.state.Presentations.At(0)->TimeCnt, 600) << bad;
        EXPECT_EQ(run.state.General.PresentationCount, 1) << bad;
        EXPECT_NE(run.Text().find("Width=3000"), std::string::npos) << bad;
        EXPECT_NE(run.Text().find("file1=talk"), std::string::npos) << bad;
    }
}

TEST(LoadSettings, BooleansAcceptWordsAndNumbers) {
    for (const auto& [value, expected] : std::vector<std::pair<std::string, bool>>{
             {"-1", true}, {"0", false}, {"1", true}, {"true", true}, {"FALSE", false}}) {
        std::string text = kCompleteNormal;
        text.replace(text.find("flush=True"), 10, "flush=" + value);
        Loaded run(&text);
        EXPECT_TRUE(run.messages.empty()) << value;
        EXPECT_EQ(run.state.Presentations.At(0)->Flush, expected) << value;
    }
}

TEST(LoadSettings, BrokenPresentationListIsDiscardedAloneWithItsMessage) {
    std::string missingClose2 = Slot(2, "b");
    missingClose2.erase(missingClose2.find("close2"), std::string("close2=False\r\n").size());
    std::string all101;
    for (int n = 1; n <= 101; ++n) all101 += Slot(n, "p" + std::to_string(n));
    const std::vector<std::string> lists = {
        "pptFiles=3\r\n" + Slot(1, "a") + missingClose2 + Slot(3, "c"),
        "pptFiles=101\r\n" + all101,
        "pptFiles=abc\r\n",
        "pptFiles=1\r\n" + Slot(1, std::string(255, 'x')),
        // A second section of the name would come back at the next start.
        "pptFiles=abc\r\n[PPTFiles]\r\npptFiles=1\r\n" + Slot(1, "a"),
    };
    for (const std::string& list : lists) {
        const std::string text = std::string(kCompleteNormal) + "[PPTFiles]\r\n" + list;
        Loaded run(&text);
        EXPECT_EQ(run.messages, std::vector<std::string>{std::string(Text(TextId::TimingsReset))});
        EXPECT_EQ(run.state.General.PresentationCount, 0);
        const std::string after = run.Text();
        EXPECT_EQ(after.find("[PPTFiles]"), std::string::npos);
        EXPECT_EQ(after.find("timeCnt1"), std::string::npos);
        // [Normal] is untouched, byte for byte.
        EXPECT_EQ(after, kCompleteNormal);
    }
}

TEST(LoadSettings, ValuesUpTo254BytesAreRead) {
    const std::string longest(254, 'y');
    const std::string text = std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=100\r\n" + [&] {
        std::string slots;
        for (int n = 1; n <= 100; ++n) slots += Slot(n, n == 100 ? longest : "p");
        return slots;
    }();
    Loaded run(&text);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.state.General.PresentationCount, 100);
    EXPECT_EQ(run.state.Presentations.At(100)->File, longest);
}

TEST(SaveSettings, StyleIsRewrittenWholeInItsOrder) {
    const std::string text = std::string(kCompleteNormal) + "[Style]\r\nStray=1\r\nWidth=5\r\n";
    Loaded run(&text);
    DisplayStyle style = DefaultStyle();
    style.Left = 12900;
    style.numFontName = "微软雅黑";
    style.Screens = static_cast<uint8_t>(ClockScreens::OtherScreens);
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveStyle(style));
    const std::string after = run.Text();
    const size_t at = after.find("[Style]\r\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(after.substr(at),
              "[Style]\r\nWidth=3000\r\nHeight=1200\r\nBackColor=12648447\r\nAlpha=100\r\n"
              "Top=0\r\nLeft=12900\r\nshowPos=1\r\nnumFontName=微软雅黑\r\nnumFontSize=36\r\n"
              "numForeColor=16777215\r\nnumHeight=840\r\nnumWidth=1995\r\nnumLeft=480\r\n"
              "numTop=200\r\nbgHeight=1200\r\nbgWidth=3000\r\nbgLeft=0\r\nbgTop=0\r\n"
              "bgBackColor=3394560\r\nScreens=2\r\n");
    Loaded reloaded(&after);
    EXPECT_EQ(reloaded.state.Style, style);
}

TEST(SaveSettings, ResumePointGoesToTheKeyOfTheMode) {
    const std::string text = std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=3\r\n" +
                             Slot(1, "a") + Slot(2, "b") + Slot(3, "c");
    Loaded run(&text);
    ConfigFile config(run.state, run.store, nullptr);
    ASSERT_TRUE(config.SaveRemainingTime(false, 3, 124));
    ASSERT_TRUE(config.SaveRemainingTime(true, 3, 599));
    const std::string after = run.Text();
    EXPECT_NE(after.find("timeFree3=00:02:04\r\n"), std::string::npos);
    EXPECT_NE(after.find("timeFree=00:09:59\r\n"), std::string::npos);
    EXPECT_NE(after.find("timeFree2=00:00:00\r\n"), std::string::npos);
    // The key keeps its place: slot 3's keys stay in order.
    EXPECT_LT(after.find("file3=c"), after.find("timeFree3="));
}

TEST(SaveSettings, SoundSettingsWriteOnlyTheirThreeKeys) {
    Loaded run(nullptr);
    const std::string before = run.Text();
    run.state.General.EndWarning = false;
    run.state.General.WarningSound = "D:\\音效\\warn.wav";
    run.state.Style.Width = 1;  // not saved by the sound settings
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveSoundSettings());
    const std::string after = run.Text();
    EXPECT_NE(after.find("EndWarning=False\r\n"), std::string::npos);
    EXPECT_NE(after.find("SoundFile=D:\\音效\\warn.wav\r\n"), std::string::npos);
    EXPECT_NE(after.find("Width=3000\r\n"), std::string::npos);
    EXPECT_EQ(after.size(), before.size() + 1 + std::string("D:\\音效\\warn.wav").size() -
                                std::string("默认声音").size());
}

// A file of every section as SaveAllSettings and the timing dialog write it, in the loader's
// key order.
std::string CanonicalFile() {
    return std::string(kCompleteNormal) +
           "[Style]\r\nWidth=3000\r\nHeight=1200\r\nBackColor=12648447\r\nAlpha=90\r\n"
           "Top=0\r\nLeft=12900\r\nshowPos=4\r\nnumFontName=微软雅黑\r\nnumFontSize=36\r\n"
           "numForeColor=16777215\r\nnumHeight=840\r\nnumWidth=1995\r\nnumLeft=480\r\n"
           "numTop=200\r\nbgHeight=1200\r\nbgWidth=3000\r\nbgLeft=0\r\nbgTop=0\r\n"
           "bgBackColor=3394560\r\nScreens=0\r\n[PPTFiles]\r\npptFiles=2\r\n" +
           Slot(1, "talk", "00:02:05") + Slot(2, "第二讲");
}

void ExpectSameSettings(const AppState& a, const AppState& b) {
    EXPECT_EQ(a.Style, b.Style);
    const GeneralSettings& x = a.General;
    const GeneralSettings& y = b.General;
    EXPECT_EQ(std::tie(x.TimeMode, x.EndWarning, x.ResetTime, x.SameMode, x.WarningSound,
                       x.EndSound, x.PresentationCount),
              std::tie(y.TimeMode, y.EndWarning, y.ResetTime, y.SameMode, y.WarningSound,
                       y.EndSound, y.PresentationCount));
    for (int n = 0; n <= x.PresentationCount; ++n) {
        const PresentationSlot& p = *a.Presentations.At(n);
        const PresentationSlot& q = *b.Presentations.At(n);
        EXPECT_EQ(std::tie(p.TimeCnt, p.TimeWarning, p.Flush, p.Close, p.File, p.TimeFree),
                  std::tie(q.TimeCnt, q.TimeWarning, q.Flush, q.Close, q.File, q.TimeFree))
            << "slot " << n;
    }
}

TEST(SaveSettings, EveryWriterWritesADeletedFileWholeWithItsNewValue) {
    const std::string text = CanonicalFile();
    const struct {
        const char* writer;
        std::function<void(AppState&, ConfigFile&)> save;
        std::string before, after;
        bool styleLast = false;
    } cases[] = {
        {"per-second save",
         [](AppState& state, ConfigFile& config) {
             ASSERT_TRUE(config.SaveRemainingTime(false, 2, 77));
             state.Presentations.At(2)->TimeFree = 77;
         },
         "timeFree2=00:00:00", "timeFree2=00:01:17"},
        {"sound save",
         [](AppState& state, ConfigFile& config) {
             state.General.WarningSound = "D:\\提示.wav";
             ASSERT_TRUE(config.SaveSoundSettings());
         },
         "\nSoundFile=默认声音", "\nSoundFile=D:\\提示.wav"},
        {"style save",
         [](AppState& state, ConfigFile& config) {
             state.Style.Top = 450;
             ASSERT_TRUE(config.SaveStyle(state.Style));
         },
         "\nTop=0", "\nTop=450", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.writer);
        Loaded run(&text);
        ASSERT_TRUE(run.messages.empty());
        std::filesystem::remove(run.path);
        ConfigFile config(run.state, run.store, nullptr);
        c.save(run.state, config);

        std::string expected = text;
        expected.replace(expected.find(c.before), c.before.size(), c.after);
        if (c.styleLast) {
            // As every style save does, the section is written anew at the end.
            const size_t style = expected.find("[Style]");
            const size_t list = expected.find("[PPTFiles]");
            expected = expected.substr(0, style) + expected.substr(list) +
                       expected.substr(style, list - style);
        }
        const std::string written = run.Text();
        EXPECT_EQ(written, expected);
        Loaded reloaded(&written);
        EXPECT_TRUE(reloaded.messages.empty());
        ExpectSameSettings(reloaded.state, run.state);
    }
}

// Every key with a value of its own: the whole file written from memory holds each value
// under its key, in the loader's order, and reads back into the same fields.
TEST(SaveSettings, EveryKeyIsWrittenFromItsFieldAndReadBackIntoIt) {
    AppState state;
    state.General = {7, false, false, false, "D:\\w.wav", "E:\\结束.wav", 2, ""};
    state.Presentations.Store(0, {3661, 59, true, false, "共享", 125});
    state.Presentations.Store(1, {7200, 600, false, true, "第一讲", 3599});
    state.Presentations.Store(2, {59, 1, true, false, "talk", 0});
    state.Style = {1001, 1002, 1006, -5,   4,    44,   1003, 72,   1010, "宋体",
                   1012, 1011, 1013, 1014, 1016, 1015, 1017, 1018, 1019, 1};
    TempFolder folder;
    IniStore store(folder.File("Config.ini"));
    // A save into a missing file writes the whole file first.
    ASSERT_TRUE(ConfigFile(state, store, nullptr).SaveSoundSettings());
    const std::string text = GbkToUtf8(ReadBytes(store.Path()));
    EXPECT_EQ(
        text,
        "[Normal]\r\ntimeMode=7\r\nEndWarning=False\r\nReSetTime=False\r\nSameMode=False\r\n"
        "timeCnt=01:01:01\r\ntimeWarning=00:00:59\r\nflush=True\r\nclose=False\r\nfile=共享\r\n"
        "timeFree=00:02:05\r\nSoundFile=D:\\w.wav\r\nendSoundFile=E:\\结束.wav\r\n"
        "[Style]\r\nWidth=1001\r\nHeight=1002\r\nBackColor=1003\r\nAlpha=44\r\nTop=-5\r\n"
        "Left=1006\r\nshowPos=4\r\nnumFontName=宋体\r\nnumFontSize=72\r\n"
        "numForeColor=1010\r\nnumHeight=1011\r\nnumWidth=1012\r\nnumLeft=1013\r\n"
        "numTop=1014\r\nbgHeight=1015\r\nbgWidth=1016\r\nbgLeft=1017\r\nbgTop=1018\r\n"
        "bgBackColor=1019\r\nScreens=1\r\n[PPTFiles]\r\npptFiles=2\r\ntimeCnt1=02:00:00\r\n"
        "timeWarning1=00:10:00\r\nflush1=False\r\nclose1=True\r\nfile1=第一讲\r\n"
        "timeFree1=00:59:59\r\ntimeCnt2=00:00:59\r\ntimeWarning2=00:00:01\r\nflush2=True\r\n"
        "close2=False\r\nfile2=talk\r\ntimeFree2=00:00:00\r\n");
    Loaded reloaded(&text);
    EXPECT_TRUE(reloaded.messages.empty());
    ExpectSameSettings(reloaded.state, state);
}

TEST(SaveSettings, FirstRunStillWritesNoPresentationSection) {
    Loaded run(nullptr);
    std::filesystem::remove(run.path);
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveRemainingTime(true, 0, 5));
    const std::string text = run.Text();
    EXPECT_NE(text.find("timeFree=00:00:05\r\nSoundFile="), std::string::npos);
    EXPECT_NE(text.find("[Style]\r\nWidth=3000"), std::string::npos);
    EXPECT_EQ(text.find("[PPTFiles]"), std::string::npos);
}

TEST(LoadSettings, UnicodeFilesStayUtf16AndUtf8FilesAreSavedAsGbk) {
    const std::string text = CanonicalFile();
    Loaded gbk(&text);
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"UTF-16 LE", testing::Utf16WithMark(text, false)},
             {"UTF-16 BE", testing::Utf16WithMark(text, true)},
             {"UTF-8", text},
             {"UTF-8 with BOM", "\xEF\xBB\xBF" + text}}) {
        SCOPED_TRACE(name);
        Loaded run(std::optional<std::string>{bytes});
        EXPECT_TRUE(run.messages.empty());
        ExpectSameSettings(run.state, gbk.state);
        EXPECT_EQ(run.state.General.WarningSound, kDefaultSound);
        EXPECT_EQ(run.state.Presentations.At(2)->File, "第二讲");
        // The next save writes a UTF-16 file as UTF-16 LE and any other as GBK (all it holds
        // fits GBK), every other key as it was.
        ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveRemainingTime(false, 1, 3));
        std::string expected = text;
        expected.replace(expected.find("timeFree1=00:02:05"), 18, "timeFree1=00:00:03");
        EXPECT_EQ(ReadBytes(run.path), name.starts_with("UTF-16")
                                           ? testing::Utf16WithMark(expected, false)
                                           : Utf8ToGbk(expected));
    }
}

TEST(SaveSettings, ANameGbkLacksTurnsTheFileIntoUtf16ForGood) {
    const std::string text = CanonicalFile();
    Loaded run(&text);
    const auto save = [&](const std::string& third) {
        TimingSettings timings{true, false, {}};
        for (int n = 1; n <= 2; ++n) timings.timings.push_back(*run.state.Presentations.At(n));
        timings.timings.push_back(timings.timings.back());
        timings.timings.back().File = third;
        return ConfigFile(run.state, run.store, nullptr).SaveTimings(timings);
    };
    // While every name fits GBK, the file stays GBK.
    ASSERT_TRUE(save("第三讲"));
    EXPECT_EQ(DetectFileEncoding(ReadBytes(run.path)), FileEncoding::Gbk);
    ASSERT_TRUE(save("Präsentation"));
    const std::string bytes = ReadBytes(run.path);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    // Every other line is as it was, in UTF-16 now.
    std::string expected = text + Slot(3, "Präsentation");
    expected.replace(expected.find("pptFiles=2"), 10, "pptFiles=3");
    expected.replace(expected.find("ReSetTime=False"), 15, "ReSetTime=True");
    EXPECT_EQ(bytes, testing::Utf16WithMark(expected, false));
    Loaded again(std::optional<std::string>{bytes});
    EXPECT_TRUE(again.messages.empty());
    EXPECT_EQ(again.state.Presentations.At(3)->File, "Präsentation");
    // GBK names alone again, and the per-second save: still UTF-16.
    ASSERT_TRUE(save("第三讲"));
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveRemainingTime(false, 3, 9));
    EXPECT_EQ(DetectFileEncoding(ReadBytes(run.path)), FileEncoding::Utf16Le);
}

TEST(LoadSettings, AUtf16FileHoldsValuesUpTo254CodeUnits) {
    const std::string longest = [] {
        std::string name;
        for (int i = 0; i < 254; ++i) name += "年";  // 508 bytes of GBK
        return name;
    }();
    for (const auto& [file, read] : {std::pair{longest, true}, std::pair{longest + "a", false}}) {
        const std::string text =
            std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=1\r\n" + Slot(1, file);
        Loaded run(std::optional<std::string>{testing::Utf16WithMark(text, false)});
        EXPECT_EQ(run.messages.empty(), read);
        EXPECT_EQ(run.state.General.PresentationCount, read ? 1 : 0);
    }
}

// Every key the program reads, each with a value that is not its default.
constexpr const char* kEveryKeyNotDefault =
    "[Normal]\r\ntimeMode=1\r\nEndWarning=False\r\nReSetTime=False\r\nSameMode=False\r\n"
    "timeCnt=00:20:00\r\ntimeWarning=00:01:00\r\nflush=False\r\nclose=False\r\nfile=共享\r\n"
    "timeFree=00:03:00\r\nSoundFile=C:\\s\\warn.wav\r\nendSoundFile=C:\\s\\end.wav\r\n"
    "[Style]\r\nWidth=3100\r\nHeight=1300\r\nBackColor=1\r\nAlpha=90\r\nTop=15\r\nLeft=12900\r\n"
    "showPos=4\r\nnumFontName=微软雅黑\r\nnumFontSize=40\r\nnumForeColor=2\r\nnumHeight=850\r\n"
    "numWidth=2000\r\nnumLeft=490\r\nnumTop=210\r\nbgHeight=1210\r\nbgWidth=3010\r\n"
    "bgLeft=5\r\nbgTop=6\r\nbgBackColor=3\r\nScreens=2\r\n"
    "[PPTFiles]\r\npptFiles=1\r\ntimeCnt1=00:20:00\r\ntimeWarning1=00:02:00\r\nflush1=True\r\n"
    "close1=False\r\nfile1=talk\r\ntimeFree1=00:00:07\r\n"
    "[Talk]\r\nOvertime=True\r\nColors=True\r\nHotKeys=True\r\nWarningColor=4\r\n"
    "OvertimeColor=5\r\nPauseKey=F9\r\nMinuteMoreKey=F10\r\nMinuteLessKey=F11\r\nHideKey=F12\r\n"
    "History=False\r\n"
    "[Remote]\r\nEnabled=True\r\nPort=9000\r\nViewKey=view-key-of-twenty-two-c\r\n"
    "ControlKey=control-key-of-twenty-two\r\n"
    "[UI]\r\nLanguage=en-US\r\n";

// A presentation's keys have no default: without one (its file name aside, which reads as
// empty) the list is broken and discarded.
const std::vector<std::string> kKeysWithoutDefault = {"timeCnt1", "timeWarning1", "flush1",
                                                      "close1", "timeFree1"};

// Every value the settings hold, by "section/key", as a save would write it.
std::map<std::string, std::string> WrittenValues(const AppState& state) {
    std::vector<IniEdit> edits;
    AppendNormalEdits(edits, state);
    AppendStyleEdits(edits, state.Style);
    AppendPresentationEdits(edits, state.General.PresentationCount, state.Presentations);
    AppendTalkEdits(edits, state.Talk);
    AppendRemoteEdits(edits, state.Remote);
    AppendUiEdits(edits, state.Ui);
    std::map<std::string, std::string> values;
    for (const IniEdit& edit : edits) {
        if (edit.value) values[edit.section + "/" + edit.key] = *edit.value;
    }
    return values;
}

TEST(LoadSettings, EachAbsentKeyReadsAsItsDefaultAloneWithoutARepair) {
    const testing::LanguageScope restore(Language::Chinese);
    const std::string text = kEveryKeyNotDefault;
    const Loaded full(&text);
    ASSERT_TRUE(full.messages.empty());
    const std::map<std::string, std::string> fullValues = WrittenValues(full.state);
    AppState fresh;
    ResetSettings(fresh);
    const std::map<std::string, std::string> defaults = WrittenValues(fresh);
    // Every key of the file differs from its default, so that a default read shows.
    for (const auto& [key, value] : defaults) {
        if (fullValues.count(key) != 0) {
            EXPECT_NE(fullValues.at(key), value) << key;
        }
    }

    std::string section;
    size_t keys = 0;
    for (size_t line = 0; line < text.size(); line = text.find("\r\n", line) + 2) {
        const std::string row = text.substr(line, text.find("\r\n", line) - line);
        if (row.front() == '[') {
            section = row.substr(1, row.size() - 2);
            continue;
        }
        const std::string key = row.substr(0, row.find('='));
        SCOPED_TRACE(key);
        ++keys;
        const std::string without = text.substr(0, line) + text.substr(line + row.size() + 2);
        Loaded run(&without);
        if (std::find(kKeysWithoutDefault.begin(), kKeysWithoutDefault.end(), key) !=
            kKeysWithoutDefault.end()) {
            EXPECT_EQ(run.messages,
                      std::vector<std::string>{std::string(Text(TextId::TimingsReset))});
            EXPECT_EQ(run.state.General.PresentationCount, 0);
            continue;
        }
        EXPECT_TRUE(run.messages.empty());
        EXPECT_EQ(run.Text(), without);  // nothing written
        std::map<std::string, std::string> expected = fullValues;
        const std::string name = section + "/" + key;
        if (key == "file1") {
            expected[name] = "";
        } else {
            expected[name] = defaults.at(name);
        }
        if (key == "pptFiles") {  // no count, no presentations
            std::erase_if(expected, [](const auto& entry) {
                return entry.first.starts_with("PPTFiles/") && entry.first != "PPTFiles/pptFiles";
            });
        }
        EXPECT_EQ(WrittenValues(run.state), expected);
    }
    // The file holds every key of the tables (the timing's twice: shared and slot 1).
    EXPECT_EQ(keys, NormalKeysBeforeTiming().size() + 2 * TimingKeys().size() +
                        NormalKeysAfterTiming().size() + 1 + StyleKeys().size() +
                        TalkKeys().size() + RemoteKeys().size() + UiKeys().size());
}

TEST(LoadSettings, ARemotePortThatNoSocketCanHaveReadsAsTheDefault) {
    for (const char* port : {"0", "65536", "-80", "http"}) {
        const std::string text = std::string("[Remote]\r\nEnabled=True\r\nPort=") + port + "\r\n";
        const Loaded run(&text);
        EXPECT_EQ(run.state.Remote.Port, RemoteSettings{}.Port) << port;
        EXPECT_TRUE(run.state.Remote.Enabled);
    }
}

TEST(ExtraMarkers, SplitAtBarsKeepingInnerSpacesAndDroppingBlankOnes) {
    EXPECT_EQ(SplitMarkers("| 放映 - ||   |\t|Show -|億"),
              (std::vector<std::string>{" 放映 - ", "Show -", "億"}));
    EXPECT_TRUE(SplitMarkers("").empty());
    EXPECT_TRUE(SplitMarkers(" | ").empty());
}

TEST(ExtraMarkers, ReadInEveryEncodingNeverWrittenAndKeptThroughARepair) {
    // 億 is 83 7C in GBK: its second byte is the separator's.
    const std::string detection = "[Detection]\r\nExtraMarkers=| 放映 - |億|\r\n";
    const std::vector<std::string> expected{" 放映 - ", "億"};
    const std::string text = CanonicalFile() + detection;
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"GBK", Utf8ToGbk(text)}, {"UTF-8", text}}) {
        SCOPED_TRACE(name);
        Loaded run(std::optional<std::string>{bytes});
        EXPECT_TRUE(run.messages.empty());
        EXPECT_EQ(run.state.Detection.ExtraMarkers, expected);
        EXPECT_EQ(ReadBytes(run.path), bytes);
    }
    // A broken [Normal] resets the settings; the markers and their section stay.
    std::string broken = text;
    broken.replace(broken.find("timeMode=0"), 10, "timeMode=x");
    Loaded repaired(&broken);
    EXPECT_EQ(repaired.messages,
              std::vector<std::string>{std::string(Text(TextId::SettingsReset))});
    EXPECT_EQ(repaired.state.Detection.ExtraMarkers, expected);
    EXPECT_NE(repaired.Text().find(detection), std::string::npos);
    Loaded without(nullptr);
    EXPECT_TRUE(without.state.Detection.ExtraMarkers.empty());
    EXPECT_EQ(without.Text().find("[Detection]"), std::string::npos);
}

TEST(TalkSettings, AbsentSectionIsAllOffAndWritesNothing) {
    const std::string text = std::string(kCompleteNormal) + "[Style]\r\nWidth=3000\r\n";
    Loaded run(&text);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.state.Talk, TalkSettings{});
    EXPECT_EQ(run.Text(), text);
    // A file written whole again from memory stays without the section.
    std::filesystem::remove(run.path);
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveSoundSettings());
    EXPECT_EQ(run.Text().find("[Talk]"), std::string::npos);
}

TEST(TalkSettings, UnreadableValueFallsBackAloneAndNothingIsRepaired) {
    const std::string text = std::string(kCompleteNormal) +
                             "[Talk]\r\nOvertime=True\r\nWarningColor=amber\r\n"
                             "PauseKey=Ctrl+Nothing\r\nHideKey=ctrl+shift+f9\r\n";
    Loaded run(&text);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.Text(), text);
    TalkSettings expected;
    expected.Overtime = true;
    expected.HideKey = (2 | 4) << 8 | 0x78;
    EXPECT_EQ(run.state.Talk, expected);
    EXPECT_EQ(run.state.General.PresentationCount, 0);
    EXPECT_EQ(run.state.Presentations.At(0)->TimeFree, 180);  // the rest as read

    TalkSettings saved = expected;
    saved.Colors = true;
    saved.MinuteLessKey = 0;  // no key
    ASSERT_TRUE(ConfigFile(run.state, run.store, nullptr).SaveTalkSettings(saved));
    EXPECT_EQ(run.state.Talk, saved);
    const std::string written = run.Text();
    EXPECT_NE(written.find("[Talk]\r\nOvertime=True\r\nColors=True\r\nHotKeys=False\r\n"
                           "WarningColor=19878\r\nOvertimeColor=192\r\n"
                           "PauseKey=Ctrl+Alt+Shift+P\r\nMinuteMoreKey=Ctrl+Alt+Shift+PageUp\r\n"
                           "MinuteLessKey=\r\nHideKey=Ctrl+Shift+F9\r\n"),
              std::string::npos)
        << written;
    const std::string copy = written;
    EXPECT_EQ(Loaded(&copy).state.Talk, saved);
}

TEST(UiLanguage, ReadFirstSpokenAtOnceAndWrittenOnlyOnceChosen) {
    const testing::LanguageScope restore(Language::Chinese);
    const std::string text = std::string(kCompleteNormal) + "[Style]\r\nWidth=3000\r\n";
    // Absent: left to the program, and nothing written for it.
    Loaded plain(&text);
    EXPECT_EQ(plain.state.Ui.Language, LanguageSetting::Auto);
    plain.state.Ui.SystemLanguages = {"zh-CN"};
    std::filesystem::remove(plain.path);
    ASSERT_TRUE(ConfigFile(plain.state, plain.store, nullptr).SaveSoundSettings());
    EXPECT_EQ(plain.Text().find("[UI]"), std::string::npos);

    // Chosen: written, and the program speaks it from then on.
    ASSERT_TRUE(
        ConfigFile(plain.state, plain.store, nullptr).SaveLanguage(LanguageSetting::English));
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_NE(plain.Text().find("[UI]\r\nLanguage=en-US\r\n"), std::string::npos);
    // A file written whole again keeps the choice.
    std::filesystem::remove(plain.path);
    ASSERT_TRUE(ConfigFile(plain.state, plain.store, nullptr).SaveSoundSettings());
    EXPECT_NE(plain.Text().find("[UI]\r\nLanguage=en-US\r\n"), std::string::npos);

    // The language is in force before the loader's messages, which are in it.
    const std::string chinese = "[UI]\r\nLanguage=zh-CN\r\n[Normal]\r\ntimeMode=x\r\n";
    Loaded repaired(&chinese);
    EXPECT_EQ(repaired.state.Ui.Language, LanguageSetting::Chinese);
    EXPECT_EQ(repaired.messages, std::vector<std::string>{"倒计时配置已被 初始化！"});
    EXPECT_NE(repaired.Text().find("[UI]\r\nLanguage=zh-CN"), std::string::npos);
    // A value naming no language is left to the program and repairs nothing.
    const std::string junk = std::string(kCompleteNormal) + "[UI]\r\nLanguage=fr-FR\r\n";
    Loaded unknown(&junk);
    EXPECT_EQ(unknown.state.Ui.Language, LanguageSetting::Auto);
    EXPECT_TRUE(unknown.messages.empty());
    EXPECT_EQ(unknown.Text(), junk);
}

TEST(ValueFormats, KeyNamesReadBackAndJunkIsRefused) {
    for (const int32_t key : {0x0750, 0x0721, 0x0148, 0x0230, 0x0487, 0x00FF, 0x0013, 0}) {
        EXPECT_EQ(TextToHotKey(HotKeyToText(key)), key) << HotKeyToText(key);
    }
    for (const char* junk : {"Ctrl+", "Ctrl+Alt", "F25", "F0", "0x100", "PgUp", "Ctrl+AB"}) {
        EXPECT_FALSE(TextToHotKey(junk).has_value()) << junk;
    }
}

TEST(ConfigPath, JoinsFolderAndFileName) {
    EXPECT_EQ(MakeConfigPath("C:\\Tools\\Quorrin"), "C:\\Tools\\Quorrin\\Config.ini");
    EXPECT_EQ(MakeConfigPath("D:\\"), "D:\\Config.ini");
}

TEST(ValueFormats, NumbersHaveTheirRanges) {
    EXPECT_EQ(TextToByte("255"), 255);
    EXPECT_FALSE(TextToByte("256"));
    EXPECT_FALSE(TextToByte("-1"));
    EXPECT_EQ(TextToInt32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(TextToInt32("2147483648"));
    EXPECT_FALSE(TextToInt32(""));
    EXPECT_FALSE(TextToInt32("12px"));
    EXPECT_EQ(BoolToText(true), "True");
    EXPECT_EQ(BoolToText(false), "False");
}

}  // namespace
}  // namespace quorrin

namespace quorrin {
namespace {

// Damaged files of every kind (bit flips, cut lines, random bytes in a valid file) load
// without crashing, and the loader never keeps a list longer than the table.
TEST(LoadSettings, DamagedFilesNeverBreakTheLoader) {
    std::string valid = Utf8ToGbk(std::string(kCompleteNormal) + "[PPTFiles]\r\npptFiles=3\r\n" +
                                  Slot(1, "甲") + Slot(2, "b") + Slot(3, "c"));
    std::mt19937 random(4242);
    TempFolder folder;
    for (int round = 0; round < 600; ++round) {
        std::string bytes = valid;
        const int damage = 1 + static_cast<int>(random() % 8);
        for (int d = 0; d < damage; ++d) {
            const size_t at = random() % bytes.size();
            switch (random() % 3) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes.erase(at, random() % 16);
                    break;
                default:
                    bytes.insert(at, 1 + random() % 4, static_cast<char>(random()));
                    break;
            }
            if (bytes.empty()) bytes = "x";
        }
        const std::string path = folder.File("Config.ini");
        WriteBytes(path, bytes);
        AppState state;
        IniStore store(path);
        int messages = 0;
        ConfigFile(state, store, [&](const std::string&) { ++messages; }).LoadSettings();
        ASSERT_GE(state.General.PresentationCount, 0) << round;
        ASSERT_LE(state.General.PresentationCount, kMaxPresentations) << round;
        ASSERT_LE(messages, 2) << round;
    }
}

}  // namespace
}  // namespace quorrin
