// The settings store: the three profile operations, the reading rules of the file format,
// and the crash-safe replace underneath.
#include "settings/ini_document.h"
#include "settings/ini_store.h"
#include "settings/temp_file_name.h"
#include "settings/text_codec.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class IniStoreTest : public ::testing::Test {
  protected:
    std::string Read(std::string_view section, std::string_view key) const {
        return store.Read(section, key, "<default>");
    }

    TempFolder folder;
    std::string path = folder.File("Config.ini");
    IniStore store{path};
};

TEST_F(IniStoreTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read("Normal", "TimeMode"), "<default>");
    WriteBytes(path, "[Normal]\r\nTimeMode=1\r\nbare line\r\n");
    EXPECT_EQ(Read("Style", "TimeMode"), "<default>");
    EXPECT_EQ(Read("Normal", "Alpha"), "<default>");
    // A line without "=" is a key with no value, which reads as missing.
    EXPECT_EQ(Read("Normal", "bare line"), "<default>");
    // The default loses trailing spaces and surrounding quotes, as a stored value would.
    EXPECT_EQ(store.Read("Normal", "Alpha", "\"x \"  "), "x ");
}

TEST_F(IniStoreTest, ReadingTrimsSpacesStripsQuotesAndSkipsComments) {
    WriteBytes(path,
               "; comment = no key\r\n"
               "  [Normal]  \r\n"
               "\t Key One \t=  spaced value \t\r\n"
               "Quoted=\"  kept inside  \"\r\n"
               "Single='x'\r\n"
               "Unmatched=\"x'\r\n"
               "Lone=\"\r\n"
               "Empty=\r\n"
               ";Commented=1\r\n"
               "Eq=a=b");
    EXPECT_EQ(Read("Normal", "key one"), "spaced value");
    EXPECT_EQ(Read("Normal", "Quoted"), "  kept inside  ");
    EXPECT_EQ(Read("Normal", "Single"), "x");
    EXPECT_EQ(Read("Normal", "Unmatched"), "\"x'");
    EXPECT_EQ(Read("Normal", "Lone"), "\"");
    EXPECT_EQ(Read("Normal", "Empty"), "");
    EXPECT_EQ(Read("Normal", "Commented"), "<default>");
    EXPECT_EQ(Read("Normal", "Eq"), "a=b");
    EXPECT_EQ(Read(" normal ", " EQ "), "a=b");
}

TEST_F(IniStoreTest, FirstOfDuplicateSectionsAndKeysWins) {
    WriteBytes(path,
               "top=preamble\r\n"
               "[A]\r\nk=1\r\nK=2\r\n"
               "[a]\r\nk=3\r\nonly=4\r\n");
    EXPECT_EQ(Read("A", "k"), "1");
    // Keys of a repeated section stay hidden behind the first one.
    EXPECT_EQ(Read("A", "only"), "<default>");
    EXPECT_EQ(Read("", "top"), "preamble");

    ASSERT_TRUE(store.Write("a", "K", "5"));
    EXPECT_EQ(ReadBytes(path),
              "top=preamble\r\n"
              "[A]\r\nk=5\r\nK=2\r\n"
              "[a]\r\nk=3\r\nonly=4\r\n");
    ASSERT_TRUE(store.DeleteSection("A"));
    EXPECT_EQ(Read("A", "only"), "4");
}

TEST_F(IniStoreTest, LineEndsMayBeLoneCrOrLfOrMissing) {
    WriteBytes(path, "[A]\rx=1\r\r\ny=2\n[B]\nz=3");
    EXPECT_EQ(Read("A", "x"), "1");
    EXPECT_EQ(Read("A", "y"), "2");
    EXPECT_EQ(Read("B", "z"), "3");
    ASSERT_TRUE(store.Write("B", "w", "4"));
    EXPECT_EQ(ReadBytes(path), "[A]\rx=1\r\r\ny=2\n[B]\nz=3\r\nw=4\r\n");
}

TEST_F(IniStoreTest, HeaderNameRunsToTheLastBracketAndIsTrimmed) {
    WriteBytes(path, "[A] x]junk\r\nk=1\r\n[ B ]\r\nk=2\r\n[C\r\nk=3\r\n");
    EXPECT_EQ(Read("A] x", "k"), "1");
    EXPECT_EQ(Read("b", "k"), "2");
    // "[C" has no "]": it is an entry, not a header.
    EXPECT_EQ(Read("C", "k"), "<default>");
}

TEST(IniDocument, GbkTrailBytesAreNeitherBracketsNorFoldedLetters) {
    // 0x81 0x5D and 0x81 0x41 / 0x81 0x61 are double-byte characters whose second byte
    // looks like "]", "A" and "a".
    const IniDocument document("[s]\x81\x5D\r\n\x81\x41=upper\r\n\x81\x61=lower\r\n");
    EXPECT_EQ(document.Find("s", "\x81\x41"), "upper");
    EXPECT_EQ(document.Find("s", "\x81\x61"), "lower");
    EXPECT_TRUE(IniNamesEqual("Ab\x81\x41", "aB\x81\x41"));
    EXPECT_FALSE(IniNamesEqual("\x81\x41", "\x81\x61"));
}

TEST(IniDocument, Utf8TextIsWalkedByteByByte) {
    // In UTF-8, "幻" (E5 B9 BB) followed by "]" or "A" would pair up as GBK characters.
    IniDocument document("[幻]\r\n幻A=v\r\n", IniCharset::Utf8);
    EXPECT_EQ(document.Find("幻", "幻a"), "v");
    ASSERT_TRUE(document.Set("幻", "Präsentation", "ä"));
    EXPECT_EQ(document.Text(), "[幻]\r\n幻A=v\r\nPräsentation=ä\r\n");
    EXPECT_EQ(IniIndex(document.Text(), IniCharset::Utf8).Find("幻", "präsentation"), "ä");
}

TEST(IniDocument, ValueEndsAtNul) {
    const IniDocument document(std::string("[s]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(document.Find("s", "k"), "ab");
}

TEST_F(IniStoreTest, WriteCreatesFileSectionAndKeyWithCrlf) {
    ASSERT_TRUE(store.Write("Normal", "TimeMode", "1"));
    ASSERT_TRUE(store.Write("Normal", "EndWarning", "True"));
    ASSERT_TRUE(store.Write("Style", "Alpha", "100"));
    EXPECT_EQ(ReadBytes(path),
              "[Normal]\r\nTimeMode=1\r\nEndWarning=True\r\n[Style]\r\nAlpha=100\r\n");
}

TEST_F(IniStoreTest, ExistingKeyKeepsItsPlaceSpellingAndSpacing) {
    WriteBytes(path, "[Normal]\r\n; keep me\r\n  TimeMode = 0 \r\nOther=1\r\n\r\n[Style]\n");
    ASSERT_TRUE(store.Write("normal", "TIMEMODE", "2"));
    EXPECT_EQ(ReadBytes(path),
              "[Normal]\r\n; keep me\r\n  TimeMode = 2\r\nOther=1\r\n\r\n[Style]\n");
    // A key line without "=" gets one.
    WriteBytes(path, "[Normal]\r\nTimeMode\r\n");
    ASSERT_TRUE(store.Write("Normal", "TimeMode", "3"));
    EXPECT_EQ(ReadBytes(path), "[Normal]\r\nTimeMode=3\r\n");
}

TEST_F(IniStoreTest, NewKeyGoesAfterTheLastLineOfItsSection) {
    WriteBytes(path, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
    ASSERT_TRUE(store.Write("A", "new", "n"));
    ASSERT_TRUE(store.Write("B", "new", "m"));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\nnew=n\r\n\r\n[B]\r\ny=2\r\nnew=m\r\n");
}

TEST_F(IniStoreTest, WrittenValueLosesLeadingSpacesAndReadsBack) {
    ASSERT_TRUE(store.Write("s", "k", "  \"quoted\" "));
    EXPECT_EQ(Read("s", "k"), "quoted");
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=\"quoted\" \r\n");
}

TEST_F(IniStoreTest, EditsThatWouldBreakTheLineAreRefused) {
    WriteBytes(path, "[s]\r\nk=1\r\n");
    EXPECT_FALSE(store.Write("s", "k", "two\r\nlines"));
    EXPECT_FALSE(store.Write("s", "a=b", "1"));
    EXPECT_FALSE(store.Write("s", "[x]", "1"));
    EXPECT_FALSE(store.Write("  ", "k", "1"));
    EXPECT_FALSE(store.Write("s", "", "1"));
    // A section name ending in a GBK lead byte: the header's "]" would complete it.
    EXPECT_FALSE(IniDocument::ValidEdit("\xD6\xD0\xD6", "k", "1"));
    EXPECT_TRUE(IniDocument::ValidEdit("\xD6\xD0", "k", "1"));
    EXPECT_FALSE(store.Write("s", std::string("k\0", 2), "1"));
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=1\r\n");
}

TEST_F(IniStoreTest, ChineseTextIsGbkOnDisk) {
    ASSERT_TRUE(store.Write("PPTFiles", "File1", "年终总结.pptx"));
    ASSERT_TRUE(store.Write("中文节", "键", "默认声音"));
    EXPECT_EQ(ReadBytes(path),
              "[PPTFiles]\r\nFile1=\xC4\xEA\xD6\xD5\xD7\xDC\xBD\xE1.pptx\r\n"
              "[\xD6\xD0\xCE\xC4\xBD\xDA]\r\n\xBC\xFC=\xC4\xAC\xC8\xCF\xC9\xF9\xD2\xF4\r\n");
    EXPECT_EQ(store.Read("中文节", "键", ""), "默认声音");
    EXPECT_EQ(store.ReadRaw("PPTFiles", "File1", ""), "\xC4\xEA\xD6\xD5\xD7\xDC\xBD\xE1.pptx");
}

TEST_F(IniStoreTest, GbkThatWouldReadBackAsUtf8IsWrittenAsUtf16) {
    // 澹癨 in GBK (E5 A3 B0 5C) is also well-formed UTF-8 (声\): alone, it would read back
    // as that. A UTF-8 file an editor saved, then a GBK file whose only other Chinese goes.
    WriteBytes(path, "[PPTFiles]\r\nfile1=澹癨\r\n");
    ASSERT_TRUE(store.Write("Normal", "a", "1"));
    EXPECT_EQ(Read("PPTFiles", "file1"), "澹癨");
    WriteBytes(path, "[PPTFiles]\r\nfile1=\xE5\xA3\xB0\x5C\r\nfile2=\xC4\xEA\r\n");
    ASSERT_TRUE(store.Write("PPTFiles", "file2", "x"));
    EXPECT_EQ(Read("PPTFiles", "file1"), "澹癨");
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
}

TEST_F(IniStoreTest, HandEditsBetweenOperationsSurvive) {
    ASSERT_TRUE(store.Write("Normal", "a", "1"));
    WriteBytes(path, ReadBytes(path) + "; note\r\nb=typed by hand\r\n");
    EXPECT_EQ(Read("Normal", "b"), "typed by hand");
    ASSERT_TRUE(store.Write("Normal", "a", "2"));
    EXPECT_EQ(ReadBytes(path), "[Normal]\r\na=2\r\n; note\r\nb=typed by hand\r\n");
}

TEST_F(IniStoreTest, DeleteSectionRemovesHeaderAndEveryLineUpToTheNext) {
    WriteBytes(path, "[A]\r\nx=1\r\n[Style]\r\nAlpha=1\r\n; c\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(store.DeleteSection("STYLE"));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(Read("Style", "Alpha"), "<default>");
    ASSERT_TRUE(store.DeleteSection("B"));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n");
    // Nothing to delete: the file stays as it is, a missing file stays missing.
    EXPECT_TRUE(store.DeleteSection("Missing"));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n");
    IniStore absent(folder.File("absent.ini"));
    EXPECT_TRUE(absent.DeleteSection("A"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("absent.ini")));
}

TEST_F(IniStoreTest, ReplaceLeavesNoTemporaryFile) {
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(store.Write("s", "k", std::to_string(i)));
    ASSERT_TRUE(store.DeleteSection("s"));
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Config.ini"});
}

TEST_F(IniStoreTest, StaleTemporaryFilesOfDeadWritersAreRemoved) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = MakeTempFileName("Config.ini", static_cast<uint64_t>(child), 1);
    const std::string alive = MakeTempFileName("Config.ini", static_cast<uint64_t>(getppid()), 1);
    WriteBytes(folder.File(dead), "[s]\r\nk=torn");
    WriteBytes(folder.File(alive), "[s]\r\nk=being written");
    WriteBytes(folder.File("Other.ini.1.1.tmp"), "not ours");

    ASSERT_TRUE(store.Write("s", "k", "1"));
    auto entries = folder.FileNames();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"Config.ini", alive, "Other.ini.1.1.tmp"}));
}

TEST(TempFileName, OwnerIsParsedOnlyFromTheTargetsOwnTemporaryFiles) {
    EXPECT_EQ(TempFileOwner("Config.ini", MakeTempFileName("Config.ini", 4242, 7)), 4242u);
    EXPECT_EQ(TempFileOwner("Config.ini", "Config.ini"), std::nullopt);
    EXPECT_EQ(TempFileOwner("Config.ini", "Config.ini.12.tmp"), std::nullopt);
    EXPECT_EQ(TempFileOwner("Config.ini", "Config.ini.x.1.tmp"), std::nullopt);
    EXPECT_EQ(TempFileOwner("Config.ini", "Config.ini.1.1.bak"), std::nullopt);
    EXPECT_EQ(TempFileOwner("Config.ini", "Config.ini.99999999999999999999999.1.tmp"),
              std::nullopt);
    EXPECT_EQ(TempFileOwner("Config", "Config.ini.1.1.tmp"), std::nullopt);
}

// A write that fails half way (here: a file size limit, which stops root too) returns
// false and leaves the old file and no temporary file.
TEST_F(IniStoreTest, FailedWriteKeepsTheOldFile) {
    constexpr rlim_t kFileSizeLimitBytes = 64;
    WriteBytes(path, "[s]\r\nk=old\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = kFileSizeLimitBytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written =
        static_cast<bool>(store.Write("s", "k", std::string(2 * kFileSizeLimitBytes, 'x')));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=old\r\n");
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Config.ini"});
}

// A read-only file is left alone; in a folder where no file can be created, a writable
// file is written in place.
TEST_F(IniStoreTest, ReadOnlyFileIsNotReplacedReadOnlyFolderIsWrittenInPlace) {
    WriteBytes(path, "[s]\r\nk=old\r\n");
    if (geteuid() == 0) GTEST_SKIP() << "root writes through file modes";
    chmod(path.c_str(), 0444);
    EXPECT_FALSE(store.Write("s", "k", "new"));
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=old\r\n");
    chmod(path.c_str(), 0644);
    const std::string dir = std::filesystem::path(path).parent_path().string();
    chmod(dir.c_str(), 0555);
    EXPECT_TRUE(store.Write("s", "k", "new"));
    EXPECT_FALSE(IniStore(folder.File("other.ini")).Write("s", "k", "new"));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=new\r\n");
}

TEST(TextCodec, ConvertsChineseAndMarksWhatCannotBeConverted) {
    EXPECT_EQ(Utf8ToGbk("倒计时 abc"), "\xB5\xB9\xBC\xC6\xCA\xB1 abc");
    EXPECT_EQ(GbkToUtf8("\xB5\xB9\xBC\xC6\xCA\xB1 abc"), "倒计时 abc");
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");  // no GBK character for it
    EXPECT_EQ(Utf8ToGbk("a\xE5\x80"
                        "b"),
              "a?b");  // cut-off UTF-8 sequence
    EXPECT_EQ(GbkToUtf8("a\xFF"
                        "b\xB5"),
              "a?b?");  // not GBK, then a lone lead byte
    EXPECT_EQ(Utf8ToGbk(""), "");
}

}  // namespace
}  // namespace quorrin

namespace quorrin {
namespace {

// A batch leaves the same file as its edits made one by one, in a single replacement.
TEST(IniStoreBatch, MatchesSingleCallsAndSkipsRefusedEdits) {
    testing::TempFolder folder;
    const std::string start = "; settings\r\n[Style]\r\nWidth=1\r\nStray=2\r\n[Normal]\r\nx=1\r\n";
    const std::vector<IniEdit> edits = {
        {"Style", "", std::nullopt},   {"Style", "Width", "3000"},
        {"normal", "X", "中文"},       {"Normal", "bad", "line\r\nbreak"},
        {"PPTFiles", "pptFiles", "0"}, {"Style", "Height", "1200"},
    };
    IniStore single(folder.File("single.ini"));
    IniStore batch(folder.File("batch.ini"));
    testing::WriteBytes(single.Path(), start);
    testing::WriteBytes(batch.Path(), start);
    for (const IniEdit& e : edits) {
        // Only the line break is refused.
        const bool refused = e.key == "bad";
        if (e.value) {
            EXPECT_EQ(static_cast<bool>(single.Write(e.section, e.key, *e.value)), !refused);
        } else {
            ASSERT_TRUE(single.DeleteSection(e.section));
        }
    }
    ASSERT_TRUE(batch.Apply(edits));
    EXPECT_EQ(testing::ReadBytes(batch.Path()), testing::ReadBytes(single.Path()));
    EXPECT_EQ(batch.Read("Style", "Stray", "gone"), "gone");
    EXPECT_EQ(batch.Read("Normal", "x", ""), "中文");
}

}  // namespace
}  // namespace quorrin
