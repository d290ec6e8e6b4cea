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

IniStore::IniStore(std::string path) : path_(std::move(path)) {}

std::string IniStore::ReadRaw(std::string_view section, std::string_view key,
                              std::string_view defaultGbk) const {
    // No cache: every read sees the file as it is now, hand edits included.
    std::optional<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) return PrepareDefault(defaultGbk);
    const IniDocument document(FileBytesToGbk(std::move(*bytes)));
    std::optional<std::string> value = document.Find(Utf8ToGbk(section), Utf8ToGbk(key));
    return value ? std::move(*value) : PrepareDefault(defaultGbk);
}

std::string IniStore::Read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
    return GbkToUtf8(ReadRaw(section, key, Utf8ToGbk(defaultValue)));
}

bool IniStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::optional<std::string> bytes = ReadFileOrEmpty(path_);
    if (!bytes) return false;
    *bytes = FileBytesToGbk(std::move(*bytes));
    IniDocument document(*bytes);
    if (!document.Set(Utf8ToGbk(section), Utf8ToGbk(key), Utf8ToGbk(value))) return false;
    // The same value again (the per-second save of a paused countdown) costs no disk write.
    if (document.Text() == *bytes) return true;
    return ReplaceFileAtomically(path_, document.Text(), flush_);
}

bool IniStore::DeleteSection(std::string_view section) {
    std::optional<std::string> bytes = ReadFileOrEmpty(path_);
    if (!bytes) return false;
    IniDocument document(FileBytesToGbk(std::move(*bytes)));
    if (!document.RemoveSection(Utf8ToGbk(section))) return true;  // nothing to delete
    return ReplaceFileAtomically(path_, document.Text(), flush_);
}

bool IniStore::HasSection(std::string_view section) const {
    std::optional<std::string> bytes = ReadWholeFile(path_);
    return bytes && IniDocument(FileBytesToGbk(std::move(*bytes))).HasSection(Utf8ToGbk(section));
}

bool IniStore::Apply(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty) {
    std::optional<std::string> bytes = ReadFileOrEmpty(path_);
    if (!bytes) return false;
    *bytes = FileBytesToGbk(std::move(*bytes));
    IniDocument document(*bytes);
    // A file deleted (or emptied) behind the program's back is written whole again first,
    // so that one edit does not leave a file holding nothing but itself.
    if (whenEmpty && TrimIniSpace(*bytes).empty()) ApplyEdits(document, whenEmpty());
    ApplyEdits(document, edits);
    if (document.Text() == *bytes) return true;
    return ReplaceFileAtomically(path_, document.Text(), flush_);
}

}  // namespace quorrin
