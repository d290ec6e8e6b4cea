// An INI file store that behaves like the platform's private-profile functions: read a key
// with a default, write a key (creating file, section or key as needed, keeping an existing
// key in its place), delete a section. Section and key names compare case-insensitively.
// Text is UTF-8 here; lines end in CRLF. On disk the file is GBK while every value fits GBK
// (a GBK file's untouched lines stay byte for byte), and UTF-16 LE from the first save that
// needs a character GBK lacks on (file_encoding.h: EncodingForSave), or whose GBK would read
// back as UTF-8 (every non-ASCII character of it shaped like UTF-8). A file an editor saved
// as UTF-8 or UTF-16 is read as such, without loss. Every change rewrites the file
// atomically, so a crash mid-write never leaves a torn file.
#pragma once

#include "settings/file_access.h"
#include "settings/file_encoding.h"
#include "settings/ini_document.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// One change of a batch: write `key` in `section`, or delete the section when there is no
// value (the key is then unused).
struct IniEdit {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// The file as it was read once, for a reader of many keys: each read is a lookup, with the
// same results as IniStore's reads of the same file.
class IniSnapshot {
  public:
    // As IniStore::ReadRaw and IniStore::Read.
    std::string ReadRaw(std::string_view section, std::string_view key,
                        std::string_view defaultGbk) const;
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const;
    // Whether the file holds the section (a header of that name).
    bool HasSection(std::string_view section) const;
    // The encoding the file was read in (Gbk for a missing file).
    FileEncoding Encoding() const { return encoding_; }

  private:
    friend class IniStore;
    std::optional<IniIndex> index_;  // nothing when the file could not be read
    FileEncoding encoding_ = FileEncoding::Gbk;
};

// The edits that write a whole file again, asked for only when one is needed.
using RebuildEdits = std::function<std::vector<IniEdit>()>;

class IniStore {
  public:
    explicit IniStore(std::string path, FilePlatform& platform = SystemFilePlatform());

    const std::string& Path() const { return path_; }
    FilePlatform& Platform() const { return platform_; }

    // Reads and parses the file once.
    IniSnapshot Snapshot() const;

    // The value as GBK bytes, as the ANSI profile read would return it (surrounding quotes
    // stripped, white space trimmed; from a Unicode file, characters GBK lacks become '?'),
    // or `defaultGbk` when the file, section or key is missing.
    std::string ReadRaw(std::string_view section, std::string_view key,
                        std::string_view defaultGbk) const;
    // The value as UTF-8, every character of a Unicode file kept.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const;

    // Each reports why the file could not be written (the old file is then intact).
    FileStatus Write(std::string_view section, std::string_view key, std::string_view value);
    FileStatus DeleteSection(std::string_view section);
    // Applies the edits in order, as the single calls would, and replaces the file once: a
    // crash never leaves a half-written section (e.g. [Style] deleted and not yet rewritten).
    // When the file is missing or blank, the edits of `whenEmpty` (if given) go first.
    FileStatus Apply(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty = nullptr);

    // Benchmarks measure the write cost with and without the flush to disk.
    void SetFlushMode(FlushMode mode) { flush_ = mode; }

  private:
    std::string path_;
    FilePlatform& platform_;
    // Applies the edits to the file as it is now and replaces it when that changed it; with
    // `strict`, an edit the document refuses fails the whole change (BadValue).
    FileStatus Change(const std::vector<IniEdit>& edits, const RebuildEdits& whenEmpty,
                      bool strict);

    FlushMode flush_ = FlushMode::ToDisk;
};

}  // namespace quorrin
