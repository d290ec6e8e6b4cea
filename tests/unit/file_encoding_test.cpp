#include "settings/file_encoding.h"

#include "settings/text_codec.h"
#include "utf16_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace quorrin {
namespace {

using namespace std::string_literals;
using testing::Utf16WithMark;

const std::string kText = "[Normal]\r\nSoundFile=默认声音\r\nfile1=年度总结\r\n";

TEST(FileEncoding, GbkStaysBytesAndEveryOtherEncodingReadsAsTheSameUtf8Text) {
    const std::string gbk = Utf8ToGbk(kText);
    const struct {
        std::string bytes;
        FileEncoding encoding;
    } files[] = {
        {gbk, FileEncoding::Gbk},
        {kText, FileEncoding::Utf8},
        {"\xEF\xBB\xBF" + kText, FileEncoding::Utf8WithBom},
        {Utf16WithMark(kText, false), FileEncoding::Utf16Le},
        {Utf16WithMark(kText, true), FileEncoding::Utf16Be},
    };
    for (const auto& file : files) {
        EXPECT_EQ(DetectFileEncoding(file.bytes), file.encoding) << static_cast<int>(file.encoding);
        const FileText read = DecodeFileBytes(file.bytes);
        EXPECT_EQ(read.encoding, file.encoding);
        EXPECT_EQ(read.text, file.encoding == FileEncoding::Gbk ? gbk : kText)
            << static_cast<int>(file.encoding);
    }
}

TEST(FileEncoding, BothUtf8AndGbkIsDecidedForUtf8) {
    // UTF-8 "年度总结" has the byte shape of GBK too (it would read as "骞村害鎬荤粨").
    const std::string utf8 = "file1=年度总结\r\n";
    ASSERT_EQ(GbkToUtf8(utf8), "file1=骞村害鎬荤粨\r\n");
    EXPECT_EQ(DetectFileEncoding(utf8), FileEncoding::Utf8);
    EXPECT_EQ(DecodeFileBytes(utf8).text, utf8);
    // The other way round is rare, and decided the same way: GBK "路" (C2 B7) alone is
    // well-formed UTF-8 ("·").
    EXPECT_EQ(DetectFileEncoding("file1=\xC2\xB7\r\n"), FileEncoding::Utf8);
    // A file this program wrote holds "所有演示文稿", which is never UTF-8, so such
    // characters elsewhere in it stay GBK.
    const std::string written = Utf8ToGbk("file=所有演示文稿\r\nfile1=路\r\n");
    EXPECT_EQ(DetectFileEncoding(written), FileEncoding::Gbk);
    EXPECT_EQ(DecodeFileBytes(written).text, written);
}

TEST(FileEncoding, WithoutAMarkOnlyWholeWellFormedUtf8IsUtf8) {
    // Pure ASCII reads the same either way: left as it is.
    EXPECT_EQ(DetectFileEncoding("[Normal]\r\ntimeMode=0\r\n"), FileEncoding::Gbk);
    EXPECT_EQ(DetectFileEncoding(""), FileEncoding::Gbk);
    // One flaw anywhere makes it GBK: a cut sequence at the end, an overlong form, an
    // encoded surrogate, a code point above U+10FFFF, a stray continuation byte.
    for (const std::string& tail : {"\xE5\xB9"s, "\xC0\xBB"s, "\xE0\x80\xBB"s, "\xED\xA0\x80"s,
                                    "\xF4\x90\x80\x80"s, "\x80"s}) {
        const std::string bytes = "file1=年度总结\r\nx=" + tail;
        EXPECT_EQ(DetectFileEncoding(bytes), FileEncoding::Gbk) << tail;
        EXPECT_EQ(DecodeFileBytes(bytes).text, bytes) << tail;
    }
    EXPECT_EQ(DetectFileEncoding("x=\xF0\x9F\x98\x80"), FileEncoding::Utf8);  // U+1F600
}

TEST(FileEncoding, Utf16FlawsBecomeReplacementCharactersAndOtherCharactersStay) {
    // An unpaired high surrogate, then a pair (U+1F600, not in GBK), then an odd last byte.
    const std::string le =
        "\xFF\xFE"
        "a\0\x3D\xD8"
        "b\0\x3D\xD8\x00\xDE"
        "c\0"
        "d"s;
    EXPECT_EQ(DecodeFileBytes(le).text, "a\uFFFDb\U0001F600c");
    const std::string be = "\xFE\xFF\0a\xD8\x3D\0b"s;
    EXPECT_EQ(DecodeFileBytes(be).text, "a\uFFFDb");
    EXPECT_EQ(DecodeFileBytes("\xFF\xFE").text, "");
    // Written back, every character comes out as it went in (a surrogate pair included).
    const std::string text = "file1=Präsentation\U0001F600 年度\r\n";
    EXPECT_EQ(Utf8ToUtf16LeFile(text).substr(0, 4),
              "\xFF\xFE"
              "f\0"s);
    EXPECT_EQ(DecodeFileBytes(Utf8ToUtf16LeFile(text)).text, text);
    // After a UTF-8 mark, malformed bytes read as the save will write them (found by fuzzing:
    // a sound path ending in them changed between a save and the next start).
    const FileText flawed = DecodeFileBytes("\xEF\xBB\xBFk=C:\\end.wav\xF3\xFE\r\n");
    EXPECT_EQ(flawed.text, "k=C:\\end.wav\uFFFD\uFFFD\r\n");
    EXPECT_EQ(DecodeFileBytes(Utf8ToUtf16LeFile(flawed.text)).text, flawed.text);
}

TEST(FileEncoding, SaveStaysGbkUntilACharacterGbkLacksThenStaysUtf16) {
    const auto forSave = [](FileEncoding current, std::vector<std::string_view> texts) {
        return EncodingForSave(current, texts);
    };
    EXPECT_EQ(forSave(FileEncoding::Gbk, {"file1", "年度报告", "00:10:00"}), FileEncoding::Gbk);
    EXPECT_EQ(forSave(FileEncoding::Gbk, {}), FileEncoding::Gbk);
    EXPECT_EQ(forSave(FileEncoding::Gbk, {"年度报告", "Präsentation"}), FileEncoding::Utf16Le);
    EXPECT_EQ(forSave(FileEncoding::Gbk, {"\U0001F600"}), FileEncoding::Utf16Le);
    // A UTF-16 file stays UTF-16 (as little-endian) even when all it holds fits GBK again.
    EXPECT_EQ(forSave(FileEncoding::Utf16Le, {"file1", "年度报告"}), FileEncoding::Utf16Le);
    EXPECT_EQ(forSave(FileEncoding::Utf16Be, {"timeFree1"}), FileEncoding::Utf16Le);
    // A file an editor saved as UTF-8 is written as GBK when it can be, else as UTF-16.
    EXPECT_EQ(forSave(FileEncoding::Utf8, {"file1=年度报告"}), FileEncoding::Gbk);
    EXPECT_EQ(forSave(FileEncoding::Utf8WithBom, {"file1=Präsentation"}), FileEncoding::Utf16Le);
}

TEST(FileEncoding, StoredLengthCountsInTheUnitTheFileIsReadIn) {
    EXPECT_EQ(StoredLength("abc", FileEncoding::Gbk), 3u);
    EXPECT_EQ(StoredLength("年度abc", FileEncoding::Gbk), 7u);        // GBK bytes
    EXPECT_EQ(StoredLength("年度abc", FileEncoding::Utf16Le), 5u);    // code units
    EXPECT_EQ(StoredLength("Präsentation", FileEncoding::Gbk), 12u);  // GBK lacks ä
    EXPECT_EQ(StoredLength("a\U0001F600", FileEncoding::Utf16Be), 3u);
}

}  // namespace
}  // namespace quorrin
