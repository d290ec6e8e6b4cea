// Config.ini as any editor may have left it: parse, change one key, write.
// Input: section, key and value (each ended by "\" and one more byte), then the file's bytes.
// Properties: the one-pass index finds what the line-by-line reader finds; an edit is refused
// exactly when ValidEdit refuses it; the changed key reads back as written; every other key
// reads as before; the lines the edit did not touch come back byte for byte; the same edit
// again changes nothing. The same through IniStore, on a file in any encoding. (Like the
// platform's profile functions, the reader trims a value and removes quotes around it.)
#include "fuzz_support.h"
#include "settings/file_encoding.h"
#include "settings/ini_document.h"
#include "settings/ini_store.h"
#include "settings/text_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorrin {
namespace {

constexpr size_t kMaxNameBytes = 24;
constexpr size_t kMaxValueBytes = 64;
constexpr size_t kMaxNamesEach = 8;      // sections and keys gathered from the text
constexpr size_t kMaxInsertedLines = 3;  // a terminated last line, a header, the entry
constexpr const char* kStorePath = "Config.ini";

using Lines = std::vector<std::string_view>;

// The text's lines with their breaks (CRLF, CR or LF), as the reader splits them.
Lines SplitLines(std::string_view text) {
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        } else {
            end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// After an edit, every line but one of the old text is still there, unchanged and in order,
// and at most a few lines are new.
void CheckOnlyOneLineChanged(std::string_view before, std::string_view after) {
    const Lines old = SplitLines(before);
    const Lines now = SplitLines(after);
    size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
        ++suffix;
    }
    FUZZ_CHECK(old.size() - prefix - suffix <= 1);
    FUZZ_CHECK(now.size() - prefix - suffix <= kMaxInsertedLines);
}

// Names to look up: the headers and entry names of the text (roughly as the reader sees
// them; any name is a fair question), with the empty section of the lines before a header.
struct Names {
    std::vector<std::string> sections{""};
    std::vector<std::string> keys;
};

Names GatherNames(std::string_view text) {
    Names names;
    for (std::string_view line : SplitLines(text)) {
        line = TrimIniSpace(line);
        const size_t bracket = line.rfind(']');
        if (line.starts_with('[') && bracket != std::string_view::npos) {
            if (names.sections.size() < kMaxNamesEach) {
                names.sections.emplace_back(TrimIniSpace(line.substr(1, bracket - 1)));
            }
        } else if (!line.empty() && names.keys.size() < kMaxNamesEach) {
            names.keys.emplace_back(TrimIniSpace(line.substr(0, line.find('='))));
        }
    }
    return names;
}

// The value as the reader returns it: white space trimmed, a pair of quotes around it gone.
std::string AsRead(std::string_view value) {
    value = TrimIniSpace(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool SameEntry(std::string_view section, std::string_view key, std::string_view otherSection,
               std::string_view otherKey) {
    return IniNamesEqual(TrimIniSpace(section), TrimIniSpace(otherSection)) &&
           IniNamesEqual(TrimIniSpace(key), TrimIniSpace(otherKey));
}

void CheckDocument(const std::string& text, const std::string& section, const std::string& key,
                   const std::string& value) {
    const IniIndex index(text);
    IniDocument document(text);
    const Names names = GatherNames(text);
    for (const std::string& s : names.sections) {
        for (const std::string& k : names.keys) FUZZ_CHECK(index.Find(s, k) == document.Find(s, k));
    }
    FUZZ_CHECK(index.Find(section, key) == document.Find(section, key));

    const bool valid = IniDocument::ValidEdit(section, key, value);
    FUZZ_CHECK(document.Set(section, key, value) == valid);
    if (!valid) {
        FUZZ_CHECK(document.Text() == text);
    } else {
        const std::string& written = document.Text();
        FUZZ_CHECK(document.Find(section, key) == AsRead(value));
        FUZZ_CHECK(IniIndex(written).Find(section, key) == AsRead(value));
        CheckOnlyOneLineChanged(text, written);
        const IniIndex reread(written);
        for (const std::string& s : names.sections) {
            for (const std::string& k : names.keys) {
                if (!SameEntry(section, key, s, k))
                    FUZZ_CHECK(reread.Find(s, k) == index.Find(s, k));
            }
        }
        IniDocument again(written);
        FUZZ_CHECK(again.Set(section, key, value));
        FUZZ_CHECK(again.Text() == written);
    }

    // Removing a section takes one run of whole lines, and only when the index knows it.
    IniDocument removed(text);
    FUZZ_CHECK(removed.RemoveSection(section) == index.HasSection(section));
    const Lines old = SplitLines(text);
    const Lines now = SplitLines(removed.Text());
    FUZZ_CHECK(now.size() <= old.size());
    size_t prefix = 0;
    while (prefix < now.size() && now[prefix] == old[prefix]) ++prefix;
    FUZZ_CHECK(std::equal(now.begin() + prefix, now.end(), old.end() - (now.size() - prefix)));
}

// The same edit through the store, on the file's bytes in whatever encoding they came;
// names and value are UTF-8 there.
void CheckStore(const std::string& bytes, const std::string& section, const std::string& key,
                const std::string& value) {
    MemoryFilePlatform platform;
    platform.files[kStorePath] = bytes;
    IniStore store(kStorePath, platform);
    const FileText was = DecodeFileBytes(bytes);
    const FileStatus status = store.Write(section, key, value);
    const std::string& after = platform.files[kStorePath];
    if (!status) {
        FUZZ_CHECK(status.Error().kind == FileErrorKind::BadValue);
        FUZZ_CHECK(after == bytes);
        return;
    }
    if (after == bytes) return;  // nothing to change
    // A save writes GBK, or UTF-16 for a character GBK lacks (in the value, or already in a
    // UTF-16 file or a UTF-8 one): compared as UTF-8, only the edited line changed.
    const FileText now = DecodeFileBytes(after);
    const auto asUtf8 = [](const FileText& file) {
        return file.encoding == FileEncoding::Gbk ? GbkToUtf8(file.text) : file.text;
    };
    if (now.encoding == was.encoding) {
        CheckOnlyOneLineChanged(was.text, now.text);
    } else if (now.encoding == FileEncoding::Utf16Le &&
               (was.encoding != FileEncoding::Gbk ||
                GbkToUtf8(Utf8ToGbk(asUtf8(was))) == asUtf8(was))) {
        // A damaged GBK file (a lone lead byte, a NUL) cannot go to UTF-16 unchanged: the
        // damaged places read as U+FFFD there, so only whole GBK files are held to this
        // (also when the edit left GBK with UTF-8's shape alone, which goes to UTF-16 too).
        CheckOnlyOneLineChanged(asUtf8(was), asUtf8(now));
    }
    // The value as the GBK file reads it; a file that went to UTF-16 was compared above.
    if (DetectFileEncoding(after) != FileEncoding::Gbk) return;
    FUZZ_CHECK(store.Read(section, key, "") == GbkToUtf8(AsRead(Utf8ToGbk(value))));
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(quorrin::kMaxNameBytes);
    const std::string key = input.ConsumeRandomLengthString(quorrin::kMaxNameBytes);
    const std::string value = input.ConsumeRandomLengthString(quorrin::kMaxValueBytes);
    const std::string text = input.ConsumeRemainingBytesAsString();
    quorrin::CheckDocument(text, section, key, value);
    quorrin::CheckStore(text, section, key, value);
    return 0;
}
