// IniStore against the platform's own profile functions: one random sequence of reads,
// writes and section deletes goes to one file through GetPrivateProfileStringA /
// WritePrivateProfileStringA and to a copy through IniStore, and every read must agree.
// Now and then each side's file is also read by the other side.
//
// Found and matched: the platform trims a header's name ("[ Normal ]" is Normal), takes it up
// to the last "]", and treats a lone CR as a line end; the store does the same.
// Deliberate differences (not generated below):
// - the store refuses writes whose names or value hold CR, LF or NUL, a key holding "=" or
//   starting with "[", and blank names; the platform writes them and breaks the file;
// - deleting a missing section returns true (nothing to do), and writes keep comments, blank
//   lines and spacing where the platform rewrites the whole file in its own layout;
// - only GBK files are generated; a UTF-16 file, which the store writes once a value needs a
//   character GBK lacks, is checked against the wide profile functions at the end;
// - only seen under Wine: case folding of non-ASCII letters was not checked against Windows.
#include "settings/ini_store.h"
#include "settings/text_codec.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include "temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr int kOperationCount = 12000;
constexpr int kOperationsPerStartingFile = 1500;  // then both sides start over
constexpr int kOperationsPerCrossCheck = 100;
constexpr DWORD kReadBufferChars = 64 * 1024;
constexpr int kMaxReportedDifferences = 20;

const std::vector<std::string> kSections = {"Normal", "Style", "PPTFiles",
                                            "中文节", "设置A", "Mixed 空格"};
const std::vector<std::string> kKeys = {"TimeMode", "timeFree37", "File1",   "键",
                                        "文件名",   "Alpha",      "key two", "x"};
const std::vector<std::string> kValues = {"0",           "37",
                                          "True",        "年终总结.pptx",
                                          "默认声音",    "a b  c",
                                          "\"quoted\"",  "'single'",
                                          "\"unmatched", "x=y",
                                          ";semi",       "",
                                          "中 文 值",    "C:\\演示\\a.ppt",
                                          "\"\"",        "tail space  ",
                                          "[notsection]"};

class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool Chance(int percent) { return Below(100) < percent; }
    const std::string& Pick(const std::vector<std::string>& pool) {
        return pool[static_cast<size_t>(Below(static_cast<int>(pool.size())))];
    }
    // The same name with the case of its ASCII letters shuffled.
    std::string ShuffleCase(std::string name) {
        for (char& c : name) {
            if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && Chance(30)) c ^= 0x20;
        }
        return name;
    }

  private:
    std::mt19937 engine_;
};

// A starting file in the styles people and other programs write: odd spacing, comments,
// blank lines, quotes, repeated keys and sections, bare lines, mixed and missing line ends.
std::string MakeStartingFile(Random& random) {
    static const std::vector<std::string> kBreaks = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    static const std::vector<std::string> kPads = {"", "", " ", "  ", "\t", " \t "};
    std::string text;
    if (random.Chance(20)) text += "x=before any section\r\n";
    const int sections = 1 + random.Below(6);
    for (int s = 0; s < sections; ++s) {
        // Appended piece by piece: gcc 12 at -O3 warns falsely (-Wrestrict) on "[" + text.
        std::string header = "[";
        header += random.Chance(10) ? " " + random.Pick(kSections) + " "
                                    : random.ShuffleCase(random.Pick(kSections));
        header += "]";
        if (random.Chance(10)) header += " ; note";
        text += random.Pick(kPads) + header + random.Pick(kPads) + random.Pick(kBreaks);
        const int lines = random.Below(8);
        for (int k = 0; k < lines; ++k) {
            const int kind = random.Below(10);
            if (kind == 0) {
                text += "; " + random.Pick(kValues);
            } else if (kind == 1) {
                text += "";
            } else if (kind == 2) {
                text += random.Pick(kKeys);  // no "="
            } else {
                text += random.Pick(kPads) + random.ShuffleCase(random.Pick(kKeys)) +
                        random.Pick(kPads) + "=" + random.Pick(kPads) + random.Pick(kValues) +
                        random.Pick(kPads);
            }
            text += random.Pick(kBreaks);
        }
    }
    if (random.Chance(30)) {
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    }
    return Utf8ToGbk(text);
}

std::string PlatformRead(const std::string& section, const std::string& key,
                         const std::string& defaultGbk, const std::string& file) {
    std::string buffer(kReadBufferChars, '\0');
    const DWORD length =
        GetPrivateProfileStringA(Utf8ToGbk(section).c_str(), Utf8ToGbk(key).c_str(),
                                 defaultGbk.c_str(), buffer.data(), kReadBufferChars, file.c_str());
    buffer.resize(length);
    return buffer;
}

// The file with its line ends and tabs made visible.
std::string Visible(const std::string& gbk) {
    std::string text;
    for (char c : GbkToUtf8(gbk)) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n\n";
        } else if (c == '\t') {
            text += "\\t";
        } else {
            text += c;
        }
    }
    return text;
}

struct Differences {
    int count = 0;
    void Report(const std::string& what, const std::string& platform, const std::string& store,
                const std::string& platformFile, const std::string& storeFile) {
        if (++count > kMaxReportedDifferences) return;
        ADD_FAILURE() << what << "\n  platform: [" << GbkToUtf8(platform) << "]\n  IniStore: ["
                      << GbkToUtf8(store) << "]\n--- platform file:\n"
                      << Visible(testing::ReadBytes(platformFile)) << "\n--- IniStore file:\n"
                      << Visible(testing::ReadBytes(storeFile)) << "\n---";
    }
};

uint32_t ChooseSeed() {
    if (const char* fixed = std::getenv("QUORRIN_SEED"))
        return static_cast<uint32_t>(std::strtoul(fixed, nullptr, 10));
    return static_cast<uint32_t>(GetTickCount()) ^ (GetCurrentProcessId() << 16);
}

TEST(IniDifferential, RandomOperationsReadTheSameBothWays) {
    ASSERT_EQ(GetACP(), 936u) << "run with LANG=zh_CN.UTF-8 so that the ANSI code page is GBK";
    const uint32_t seed = ChooseSeed();
    std::printf("seed %u (set QUORRIN_SEED to repeat)\n", seed);
    Random random(seed);
    const testing::TempFolder folder;
    const std::string platformFile = folder.File("platform.ini");
    const std::string storeFile = folder.File("store.ini");
    IniStore store(storeFile);
    Differences differences;
    int crossChecks = 0;
    int reads = 0;
    int readsFound = 0;  // reads that found a value, so that the sequence is not all defaults

    for (int op = 0; op < kOperationCount; ++op) {
        if (op % kOperationsPerStartingFile == 0) {
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, platformFile.c_str());
            const std::string start = MakeStartingFile(random);
            ASSERT_TRUE(testing::WriteBytes(platformFile, start));
            ASSERT_TRUE(testing::WriteBytes(storeFile, start));
        }
        const std::string section = random.ShuffleCase(random.Pick(kSections));
        const std::string key = random.ShuffleCase(random.Pick(kKeys));
        const int kind = random.Below(100);
        if (kind < 50) {
            const std::string defaultGbk = Utf8ToGbk(random.Chance(80) ? "<默认>" : "d  ");
            const std::string expected = PlatformRead(section, key, defaultGbk, platformFile);
            const std::string actual = store.ReadRaw(section, key, defaultGbk);
            ++reads;
            if (expected != defaultGbk) ++readsFound;
            if (expected != actual) {
                differences.Report("op " + std::to_string(op) + ": read [" + section + "] " + key,
                                   expected, actual, platformFile, storeFile);
            }
        } else if (kind < 95) {
            const std::string value = random.Pick(kValues);
            const BOOL platformOk =
                WritePrivateProfileStringA(Utf8ToGbk(section).c_str(), Utf8ToGbk(key).c_str(),
                                           Utf8ToGbk(value).c_str(), platformFile.c_str());
            EXPECT_TRUE(platformOk);
            EXPECT_TRUE(store.Write(section, key, value)) << "op " << op;
        } else {
            WritePrivateProfileStringA(Utf8ToGbk(section).c_str(), nullptr, nullptr,
                                       platformFile.c_str());
            EXPECT_TRUE(store.DeleteSection(section)) << "op " << op;
        }

        if (op % kOperationsPerCrossCheck == kOperationsPerCrossCheck - 1) {
            // The platform caches profiles by name and file time: flush its own file, and read
            // ours through a fresh name so that no cached copy can answer.
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, platformFile.c_str());
            const std::string copy = folder.File("copy" + std::to_string(++crossChecks) + ".ini");
            ASSERT_TRUE(testing::WriteBytes(copy, testing::ReadBytes(storeFile)));
            const IniStore platformFileStore(platformFile);
            for (const std::string& s : kSections) {
                for (const std::string& k : kKeys) {
                    const std::string ours = store.ReadRaw(s, k, "-");
                    const std::string platformOnOurs = PlatformRead(s, k, "-", copy);
                    if (ours != platformOnOurs) {
                        differences.Report("op " + std::to_string(op) +
                                               ": platform reading the IniStore file [" + s + "] " +
                                               k,
                                           platformOnOurs, ours, copy, storeFile);
                    }
                    const std::string platforms = PlatformRead(s, k, "-", platformFile);
                    const std::string oursOnPlatform = platformFileStore.ReadRaw(s, k, "-");
                    if (platforms != oursOnPlatform) {
                        differences.Report("op " + std::to_string(op) +
                                               ": IniStore reading the platform file [" + s + "] " +
                                               k,
                                           platforms, oursOnPlatform, platformFile, storeFile);
                    }
                }
            }
            DeleteFileW(Utf8ToWide(copy).c_str());
        }
    }
    std::printf("%d operations (%d reads, %d found a value), %d cross-checks, %d differences\n",
                kOperationCount, reads, readsFound, crossChecks, differences.count);
    EXPECT_GT(readsFound, reads / 4);
    EXPECT_EQ(differences.count, 0) << "seed " << seed;
}

TEST(IniDifferential, AUtf16FileIsReadAndKeptByTheWideProfileFunctions) {
    const testing::TempFolder folder;
    const std::string path = folder.File("unicode.ini");
    const std::wstring widePath = Utf8ToWide(path);
    ASSERT_TRUE(testing::WriteBytes(path, Utf8ToGbk("[Normal]\r\nfile=所有演示文稿\r\n")));
    IniStore store(path);
    ASSERT_TRUE(store.Write("PPTFiles", "file1", "Präsentation 年度 \xF0\x9F\x98\x80"));
    ASSERT_EQ(testing::ReadBytes(path).substr(0, 2), "\xFF\xFE");
    const auto platformRead = [&](const wchar_t* section, const wchar_t* key) {
        std::wstring buffer(kReadBufferChars, L'\0');
        const DWORD length = GetPrivateProfileStringW(section, key, L"-", buffer.data(),
                                                      kReadBufferChars, widePath.c_str());
        return WideToUtf8(std::wstring_view(buffer.data(), length));
    };
    EXPECT_EQ(platformRead(L"PPTFiles", L"file1"), "Präsentation 年度 \xF0\x9F\x98\x80");
    EXPECT_EQ(platformRead(L"Normal", L"file"), "所有演示文稿");
    // What the platform writes into it stays UTF-16 and reads back whole here.
    ASSERT_TRUE(WritePrivateProfileStringW(L"PPTFiles", L"file2", L"Ελληνικά", widePath.c_str()));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, widePath.c_str());
    EXPECT_EQ(testing::ReadBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(store.Read("PPTFiles", "file2", ""), "Ελληνικά");
    EXPECT_EQ(store.Read("PPTFiles", "file1", ""), "Präsentation 年度 \xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace quorrin
