#include "settings/ini_store.h"

#include "settings/file_encoding.h"
#include "settings/ini_document.h"
#include "settings/text_codec.h"

#include <utility>

namespace quorrin {
namespace {

// The profile read treats its default as it treats a stored value: trailing spaces are
// dropped and a matching pair of surrounding quotes is removed.
std::string PrepareDefault(std::string_view defaultGbk) {
    size_t end = defaultGbk.size();
    while (end > 0 && defaultGbk[end - 1] == ' ') --end;
    std::string_view value = defaultGbk.substr(0, end);
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Applies the edits in order, as the single calls would; an edit the single call would
// refuse is skipped, as that call would be.
void ApplyEdits(IniDocument& document, const std::vector<IniEdit>& edits) {
    for (const IniEdit& edit : edits) {
        const std::string section = Utf8ToGbk(edit.section);
        if (!edit.value) {
            document.RemoveSection(section);
        } else {
            document.Set(section, Utf8ToGbk(edit.key), Utf8ToGbk(*edit.value));
        }
    }
}

}  // namespace

std::string IniSnapshot::ReadRaw(std::string_view section, std::string_view key,
                                 std::string_view defaultGbk) const {
    if (!index_) return PrepareDefault(defaultGbk);
    std::optional<std::string> value = index_->Find(Utf8ToGbk(section), Utf8ToGbk(key));
    return value ? std::move(*value) : PrepareDefault(defaultGbk);
}

std::string IniSnapshot::Read(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
    return GbkToUtf8(ReadRaw(section, key, Utf8ToGbk(defaultValue)));
}

bool IniSnapshot::HasSection(std::string_view section) const {
    return index_ && index_->HasSection(Utf8ToGbk(section));
}

IniStore::IniStore(std::string path, FilePlatform& platform)
    : path_(std::move(path)), platform_(platform) {}

IniSnapshot IniStore::Snapshot() const {
    IniSnapshot snapshot;
    std::string bytes;
    // A missing file reads as empty, as for single reads; a file held for a moment by
    // another program is waited for briefly.
    if (ReadFileOrEmpty(platform_, path_, bytes)) {
        snapshot.index_.emplace(FileBytesToGbk(std::move(bytes)));
    }
    return snapshot;
}

std::string IniStore::ReadRaw(std::string_view section, std::string_view key,
                              std::string_view defaultGbk) const {
    // No cache: every read sees the file as it is now, hand edits included.
    std::string bytes;
    if (!platform_.Read(path_, bytes)) return PrepareDefault(defaultGbk);
    const IniDocument document(FileBytesToGbk(std::move(bytes)));
    std::optional<std::string> value = document.Find(Utf8ToGbk(section), Utf8ToGbk(key));
    return value ? std::move(*value) : PrepareDefault(defaultGbk);
}

std::string IniStore::Read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
    return GbkToUtf8(ReadRaw(section, key, Utf8ToGbk(defaultValue)));
}

FileStatus IniStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::string bytes;
    if (FileStatus read = ReadFileOrEmpty(platform_, path_, bytes); !read) return read;
    bytes = FileBytesToGbk(std::move(bytes));
    IniDocument document(bytes);
    if (!document.Set(Utf8ToGbk(section), Utf8ToGbk(key), Utf8ToGbk(value))) {
        return FileStatus::Failed({FileErrorKind::BadValue, 0});
    }
    // The same value again (the per-second save of a paused countdown) costs no disk write.
    if (document.Text() == bytes) return FileStatus();
    return ReplaceFileAtomically(platform_, path_, document.Text(), flush_);
}

FileStatus IniStore::DeleteSection(std::string_view section) {
    std::string bytes;
    if (FileStatus read = ReadFileOrEmpty(platform_, path_, bytes); !read) return read;
    IniDocument document(FileBytesToGbk(std::move(bytes)));
    if (!document.RemoveSection(Utf8ToGbk(section))) return FileStatus();  // nothing to delete
    return ReplaceFileAtomically(platform_, path_, document.Text(), flush_);
}

FileStatus IniStore::Apply(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty) {
    std::string bytes;
    if (FileStatus read = ReadFileOrEmpty(platform_, path_, bytes); !read) return read;
    bytes = FileBytesToGbk(std::move(bytes));
    IniDocument document(bytes);
    // A file deleted (or emptied) behind the program's back is written whole again first,
    // so that one edit does not leave a file holding nothing but itself.
    if (whenEmpty && TrimIniSpace(bytes).empty()) ApplyEdits(document, whenEmpty());
    ApplyEdits(document, edits);
    if (document.Text() == bytes) return FileStatus();
    return ReplaceFileAtomically(platform_, path_, document.Text(), flush_);
}

}  // namespace quorrin
