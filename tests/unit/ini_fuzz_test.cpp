// Random bytes through the INI parser and editor (run under ASan/UBSan): any input parses
// without crashing, hanging or reading out of bounds, and edits of a damaged file still do
// what they say without disturbing the keys they do not touch.
#include "settings/ini_document.h"
#include "settings/ini_store.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr int kInputCount = 30000;
constexpr int kStoreRoundTripEvery = 50;  // inputs that also go through a file on disk
constexpr size_t kMaxRandomBytes = 600;
constexpr size_t kHugeLineBytes = 2 * 1024 * 1024;

const std::string kValidFile =
    "; settings\r\n[Normal]\r\nTimeMode=1\r\n  EndWarning = True "
    "\r\nSoundFile=\"\xC4\xAC\xC8\xCF\"\r\n"
    "\r\n[Style]\r\nAlpha=100\nnumFontName=\xCB\xCE\xCC\xE5\r[PPTFiles]\r\nFile1=a.pptx\r\n"
    "timeFree1=0\r\n[\xD6\xD0]\r\n\xBC\xFC=\xD6\xB5";

// Bytes that mean something to the format, and GBK lead and trail bytes.
constexpr char kInteresting[] = "[]=;\r\n \t\"'\x1A\x81\x5D\x41\x61\xFE\x40\x7F\x80\xFF";

class Fuzzer {
  public:
    explicit Fuzzer(uint32_t seed) : engine_(seed) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine_); }

    char Byte() {
        if (Below(2) == 0) return kInteresting[Below(sizeof(kInteresting))];  // NUL included
        return static_cast<char>(Below(256));
    }

    std::string Random() {
        std::string bytes(Below(kMaxRandomBytes), '\0');
        for (char& c : bytes) c = Byte();
        return bytes;
    }

    std::string Mutate(std::string bytes) {
        const size_t edits = 1 + Below(8);
        for (size_t e = 0; e < edits; ++e) {
            const size_t at = bytes.empty() ? 0 : Below(bytes.size());
            switch (Below(5)) {
                case 0:
                    if (!bytes.empty()) bytes[at] = Byte();
                    break;
                case 1:
                    bytes.insert(at, 1, Byte());
                    break;
                case 2:
                    bytes.erase(at, Below(16));
                    break;
                case 3:
                    bytes.insert(at, bytes.substr(Below(bytes.size() + 1), Below(32)));
                    break;
                default:
                    bytes.resize(at);
                    break;
            }
        }
        return bytes;
    }

    // A name to look for: one of the file's own names or made-up bytes.
    std::string Name(const std::string& input) {
        static const std::vector<std::string> kNames = {"Normal",   "style",    "TimeMode", "alpha",
                                                        "\xD6\xD0", "\xBC\xFC", "",         " x "};
        if (Below(3) == 0 && !input.empty()) {
            const size_t at = Below(input.size());
            return input.substr(at, Below(12));
        }
        return kNames[Below(kNames.size())];
    }

    // A value that reads back unchanged: no edge spaces, no quotes.
    std::string PlainValue() { return "v" + std::to_string(Below(1000000)); }

  private:
    std::mt19937 engine_;
};

// Reads, then an edit, then checks: the edited key reads back, a key read before the edit
// reads the same after it, a section removed as often as it appears no longer reads.
void Exercise(Fuzzer& fuzzer, const std::string& input) {
    IniDocument document(input);
    const std::string otherSection = fuzzer.Name(input);
    const std::string otherKey = fuzzer.Name(input);
    const std::optional<std::string> before = document.Find(otherSection, otherKey);
    // The loader's one-pass index finds what the line-by-line search finds.
    ASSERT_EQ(IniIndex(input).Find(otherSection, otherKey), before)
        << "[" << otherSection << "] " << otherKey << " in:\n"
        << input;

    const std::string section = "S" + std::to_string(fuzzer.Below(4));
    const std::string key = fuzzer.Below(2) == 0 ? "TimeMode" : "k";
    const std::string value = fuzzer.PlainValue();
    if (fuzzer.Below(4) == 0) {
        ASSERT_TRUE(document.Set(section, key, value));
        const bool same = IniNamesEqual(TrimIniSpace(otherSection), section) &&
                          IniNamesEqual(TrimIniSpace(otherKey), key);
        ASSERT_EQ(document.Find(section, key), value);
        if (!same) {
            ASSERT_EQ(document.Find(otherSection, otherKey), before)
                << "editing [" << section << "] " << key << " of:\n"
                << input;
        }
    } else {
        const bool removed = document.RemoveSection(otherSection);
        if (!removed) {
            ASSERT_EQ(document.Text(), input);
        }
        if (removed && !TrimIniSpace(otherSection).empty()) {
            // Only the first copy goes each time; once all are gone, nothing of it reads.
            size_t size = document.Text().size();
            while (document.RemoveSection(otherSection)) {
                ASSERT_LT(document.Text().size(), size);
                size = document.Text().size();
            }
            ASSERT_EQ(document.Find(otherSection, otherKey), std::nullopt) << input;
        }
        ASSERT_TRUE(document.Set("Normal", "TimeMode", value));
        ASSERT_EQ(document.Find("normal", "timemode"), value);
    }
}

TEST(IniFuzz, AnyBytesParseAndEditsStillWork) {
    const uint32_t seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    Fuzzer fuzzer(seed);
    testing::TempFolder folder;
    const std::string path = folder.File("Config.ini");
    IniStore store(path);
    store.SetFlushMode(FlushMode::NoFlush);

    for (int i = 0; i < kInputCount; ++i) {
        const std::string input =
            fuzzer.Below(2) == 0 ? fuzzer.Random() : fuzzer.Mutate(kValidFile);
        ASSERT_NO_FATAL_FAILURE(Exercise(fuzzer, input)) << "input " << i << ", seed " << seed;

        if (i % kStoreRoundTripEvery == 0) {
            testing::WriteBytes(path, input);
            const std::string value = fuzzer.PlainValue();
            (void)store.Read(fuzzer.Name(input), fuzzer.Name(input), "d");
            ASSERT_TRUE(store.Write("PPTFiles", "timeFree37", value));
            ASSERT_TRUE(store.DeleteSection(fuzzer.Name(input)));
            ASSERT_TRUE(store.Write("PPTFiles", "timeFree37", value));
            ASSERT_EQ(store.Read("PPTFiles", "timeFree37", ""), value) << "seed " << seed;
        }
    }
}

TEST(IniFuzz, HugeLinesAndLoneLineBreaksParse) {
    std::string huge(kHugeLineBytes, 'a');
    huge[kHugeLineBytes / 2] = '=';
    IniDocument document("[s]\r" + huge + "\r\r\r\n\n" + std::string(kHugeLineBytes, '['));
    EXPECT_EQ(document.Find("s", std::string(kHugeLineBytes / 2, 'A')),
              std::string(kHugeLineBytes / 2 - 1, 'a'));
    ASSERT_TRUE(document.Set("s", "k", "1"));
    EXPECT_EQ(document.Find("s", "k"), "1");
}

}  // namespace
}  // namespace quorrin
