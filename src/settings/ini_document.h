// The text of an INI file held as GBK bytes or as UTF-8, read and edited the way the platform's
// private-profile functions read and edit it. Only the lines an edit touches change, so
// comments, blank lines, spacing and hand-made line ends elsewhere survive.
//
// Reading rules (as the profile functions apply them):
// - a line ends at CRLF, CR or LF; white space (tab, LF, VT, FF, CR, space and
//   the DOS end-of-file mark 0x1A) is trimmed at both ends of a line;
// - "[name]" starts a section; the name runs to the last "]" of the line and is trimmed;
// - any other non-blank line is an entry: its name is the trimmed text before the first "=",
//   its value the trimmed text after it; a line without "=" is an entry with no value, which
//   reads as missing; lines starting with ";" are entries too, so comments never shadow keys;
// - entries before the first header belong to the section with the empty name;
// - the first section of a name and, inside it, the first entry of a name win; names compare
//   case-insensitively for ASCII letters, any other character exactly;
// - a value wrapped in a matching pair of '"' or '\'' loses them, and ends at a NUL byte.
//
// Any bytes at all parse: NULs, broken GBK, lone CRs and endless lines only make odd names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorrin {

// How the bytes of a text form characters. A GBK trail byte can be an ASCII letter or "]",
// so GBK text is walked a character at a time; the bytes of a UTF-8 character other than
// ASCII are never ASCII, so UTF-8 text is walked byte by byte.
enum class IniCharset { Gbk, Utf8 };

class IniDocument {
  public:
    explicit IniDocument(std::string text, IniCharset charset = IniCharset::Gbk)
        : text_(std::move(text)), charset_(charset) {}

    const std::string& Text() const { return text_; }
    IniCharset Charset() const { return charset_; }

    // The value as the profile read returns it, or nothing when the section or the key is
    // missing or the key's line has no "=". Names are in the text's charset and trimmed here.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Sets the key's value: an existing entry keeps its line (and the spelling and spacing of
    // its name), a new key goes after the last non-blank line of its section, a new section
    // goes to the end of the file. New lines end in CRLF. False, and nothing changed, when
    // a name or the value cannot be stored in a line of its own (see ValidEdit).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first section of that name: its header and every line up to the next
    // header. False when there is no such section (the text is then unchanged).
    bool RemoveSection(std::string_view section);

    // Whether a write of these names and value would read back as written: no line breaks
    // or NULs anywhere, a section name that is not blank and (in GBK text) does not end in half a
    // GBK character, a key name that is not blank, holds no "=" and would not be taken for a
    // section header.
    static bool ValidEdit(std::string_view section, std::string_view key, std::string_view value,
                          IniCharset charset = IniCharset::Gbk);

  private:
    std::string text_;
    IniCharset charset_;
};

// Every value of a text, gathered in one pass, for a reader that looks up many keys (the
// loader reads some 650 of them from a file with 100 presentations). Finds exactly what
// IniDocument::Find finds in the same text.
class IniIndex {
  public:
    explicit IniIndex(std::string_view text, IniCharset charset = IniCharset::Gbk);

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Whether a header of that name is in the text. The name is in the text's charset and
    // trimmed here.
    bool HasSection(std::string_view section) const;

  private:
    IniCharset charset_;
    // By folded name: the first section of each name, and in it the first entry of each
    // name (nothing for an entry without "=").
    using Entries = std::unordered_map<std::string, std::optional<std::string>>;
    std::unordered_map<std::string, Entries> sections_;
};

// White space as the profile functions trim it.
bool IsIniSpace(char c);
std::string_view TrimIniSpace(std::string_view text);

// ASCII letters fold, any other character compares exactly.
bool IniNamesEqual(std::string_view a, std::string_view b, IniCharset charset = IniCharset::Gbk);

}  // namespace quorrin
