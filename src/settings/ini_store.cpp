#include "settings/ini_store.h"

#include "settings/ini_document.h"
#include "settings/text_codec.h"

#include <utility>

namespace quorrin {
namespace {

// The profile read treats its default as it treats a stored value: trailing spaces are
// dropped and a matching pair of surrounding quotes is removed.
std::string PrepareDefault(std::string_view defaultValue) {
    size_t end = defaultValue.size();
    while (end > 0 && defaultValue[end - 1] == ' ') --end;
    std::string_view value = defaultValue.substr(0, end);
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

IniCharset CharsetOf(FileEncoding encoding) {
    return encoding == FileEncoding::Gbk ? IniCharset::Gbk : IniCharset::Utf8;
}

// A text of the program (UTF-8) in the charset of a document.
std::string InCharset(std::string_view utf8, IniCharset charset) {
    return charset == IniCharset::Gbk ? Utf8ToGbk(utf8) : std::string(utf8);
}

// Lookups shared by IniDocument (single reads) and IniIndex (snapshots).
template <typename Text>
std::string FindRaw(const Text& text, IniCharset charset, std::string_view section,
                    std::string_view key, std::string_view defaultGbk) {
    std::optional<std::string> value =
        text.Find(InCharset(section, charset), InCharset(key, charset));
    if (!value) return PrepareDefault(defaultGbk);
    return charset == IniCharset::Gbk ? std::move(*value) : Utf8ToGbk(*value);
}

template <typename Text>
std::string FindUtf8(const Text& text, IniCharset charset, std::string_view section,
                     std::string_view key, std::string_view defaultValue) {
    if (charset == IniCharset::Gbk) {
        return GbkToUtf8(FindRaw(text, charset, section, key, Utf8ToGbk(defaultValue)));
    }
    std::optional<std::string> value = text.Find(section, key);
    return value ? std::move(*value) : PrepareDefault(defaultValue);
}

// Applies the edits in order, as the single calls would; an edit the single call would
// refuse is skipped, as that call would be. False when one was refused.
bool ApplyEdits(IniDocument& document, const std::vector<IniEdit>& edits) {
    bool all = true;
    for (const IniEdit& edit : edits) {
        const std::string section = InCharset(edit.section, document.Charset());
        if (!edit.value) {
            document.RemoveSection(section);
        } else if (!document.Set(section, InCharset(edit.key, document.Charset()),
                                 InCharset(*edit.value, document.Charset()))) {
            all = false;
        }
    }
    return all;
}

// Every name and value the edits write (a refused edit writes nothing).
std::vector<std::string_view> WrittenTexts(const std::vector<IniEdit>& edits) {
    std::vector<std::string_view> texts;
    for (const IniEdit& edit : edits) {
        if (edit.value &&
            IniDocument::ValidEdit(edit.section, edit.key, *edit.value, IniCharset::Utf8)) {
            texts.insert(texts.end(), {edit.section, edit.key, *edit.value});
        }
    }
    return texts;
}

// The document as the bytes of a file that was in `read` before the change. GBK text whose
// every non-ASCII character also has UTF-8's shape (such as 澹癨, E5 A3 B0 5C, which reads
// as 声\ in UTF-8) would be read back as other text: it is written as UTF-16 instead.
std::string FileBytes(const IniDocument& document, FileEncoding read) {
    if (document.Charset() == IniCharset::Gbk) {
        if (DetectFileEncoding(document.Text()) == FileEncoding::Gbk) return document.Text();
        return Utf8ToUtf16LeFile(GbkToUtf8(document.Text()));
    }
    const std::string_view text = document.Text();
    if (EncodingForSave(read, std::span(&text, 1)) == FileEncoding::Gbk) {
        std::string gbk = Utf8ToGbk(text);
        if (DetectFileEncoding(gbk) == FileEncoding::Gbk) return gbk;
    }
    return Utf8ToUtf16LeFile(text);
}

// One value from the file as it is now, found by `find` in its document; `defaultValue`
// when the file cannot be read. No cache: every read sees the file as it is now, hand
// edits included.
template <typename Find>
std::string ReadOnce(FilePlatform& platform, const std::string& path, std::string_view defaultValue,
                     const Find& find) {
    std::string bytes;
    if (!platform.Read(path, bytes)) return PrepareDefault(defaultValue);
    FileText file = DecodeFileBytes(std::move(bytes));
    const IniDocument document(std::move(file.text), CharsetOf(file.encoding));
    return find(document);
}

}  // namespace

std::string IniSnapshot::ReadRaw(std::string_view section, std::string_view key,
                                 std::string_view defaultGbk) const {
    if (!index_) return PrepareDefault(defaultGbk);
    return FindRaw(*index_, CharsetOf(encoding_), section, key, defaultGbk);
}

std::string IniSnapshot::Read(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
    if (!index_) return PrepareDefault(defaultValue);
    return FindUtf8(*index_, CharsetOf(encoding_), section, key, defaultValue);
}

bool IniSnapshot::HasSection(std::string_view section) const {
    return index_ && index_->HasSection(InCharset(section, CharsetOf(encoding_)));
}

IniStore::IniStore(std::string path, FilePlatform& platform)
    : path_(std::move(path)), platform_(platform) {}

IniSnapshot IniStore::Snapshot() const {
    IniSnapshot snapshot;
    std::string bytes;
    // A missing file reads as empty, as for single reads; a file held for a moment by
    // another program is waited for briefly.
    if (ReadFileOrEmpty(platform_, path_, bytes)) {
        FileText file = DecodeFileBytes(std::move(bytes));
        snapshot.encoding_ = file.encoding;
        snapshot.index_.emplace(file.text, CharsetOf(file.encoding));
    }
    return snapshot;
}

std::string IniStore::ReadRaw(std::string_view section, std::string_view key,
                              std::string_view defaultGbk) const {
    return ReadOnce(platform_, path_, defaultGbk, [&](const IniDocument& document) {
        return FindRaw(document, document.Charset(), section, key, defaultGbk);
    });
}

std::string IniStore::Read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
    return ReadOnce(platform_, path_, defaultValue, [&](const IniDocument& document) {
        return FindUtf8(document, document.Charset(), section, key, defaultValue);
    });
}

FileStatus IniStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    return Change({{std::string(section), std::string(key), std::string(value)}}, nullptr, true);
}

FileStatus IniStore::DeleteSection(std::string_view section) {
    return Change({{std::string(section), {}, std::nullopt}}, nullptr, false);
}

FileStatus IniStore::Apply(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty) {
    return Change(edits, whenEmpty, false);
}

FileStatus IniStore::Change(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty,
                            bool strict) {
    std::string bytes;
    if (FileStatus read = ReadFileOrEmpty(platform_, path_, bytes); !read) return read;
    const FileText file = DecodeFileBytes(std::move(bytes));
    // A file deleted (or emptied) behind the program's back is written whole again first,
    // so that one edit does not leave a file holding nothing but itself.
    std::vector<IniEdit> rebuilt;
    if (whenEmpty && TrimIniSpace(file.text).empty()) {
        rebuilt = whenEmpty();
        rebuilt.insert(rebuilt.end(), edits.begin(), edits.end());
    }
    const std::vector<IniEdit>& all = rebuilt.empty() ? edits : rebuilt;
    // A GBK file stays GBK byte for byte while what is written fits GBK; the first
    // character GBK lacks turns the whole text into UTF-8 here and the file into UTF-16.
    const bool toUnicode = file.encoding == FileEncoding::Gbk &&
                           EncodingForSave(file.encoding, WrittenTexts(all)) != FileEncoding::Gbk;
    IniDocument document(toUnicode ? GbkToUtf8(file.text) : file.text,
                         toUnicode ? IniCharset::Utf8 : CharsetOf(file.encoding));
    if (!ApplyEdits(document, all) && strict) {
        return FileStatus::Failed({FileErrorKind::BadValue, 0});
    }
    // The same value again (the per-second save of a paused countdown) costs no disk write.
    if (!toUnicode && document.Text() == file.text) return FileStatus();
    return ReplaceFileAtomically(platform_, path_, FileBytes(document, file.encoding), flush_);
}

}  // namespace quorrin
