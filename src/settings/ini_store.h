// An INI file store that behaves like the platform's private-profile functions: read a key
// with a default, write a key (creating file, section or key as needed, keeping an existing
// key in its place), delete a section. Section and key names compare case-insensitively.
// Text is UTF-8 here and GBK on disk; lines end in CRLF. A file an editor saved as UTF-8 or
// UTF-16 is read as such (file_encoding.h) and written back as GBK. Every change rewrites
// the file atomically, so a crash mid-write never leaves a torn file.
#pragma once

#include "settings/file_access.h"
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
    std::string ReadRaw(std::string_view section, std::string_view key,
                        std::string_view defaultGbk) const;
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const;
    // Whether the file holds the section (a header of that name).
    bool HasSection(std::string_view section) const;

  private:
    friend class IniStore;
    std::optional<IniIndex> index_;  // nothing when the file could not be read
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

    // The value's raw GBK bytes as the profile read would return them (surrounding quotes
    // stripped, white space trimmed), or `defaultGbk` when the file, section or key is missing.
    std::string ReadRaw(std::string_view section, std::string_view key,
                        std::string_view defaultGbk) const;
    // UTF-8 convenience over ReadRaw.
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
    FlushMode flush_ = FlushMode::ToDisk;
};

}  // namespace quorrin
