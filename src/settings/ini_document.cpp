#include "settings/ini_document.h"

#include "settings/text_codec.h"

#include <cstddef>

namespace quorrin {
namespace {

// A GBK trail byte can be an ASCII letter or "]", so names and headers are walked character
// by character (CharLength), never byte by byte.
constexpr char kDosEndOfFile = 0x1A;
constexpr std::string_view kLineBreak = "\r\n";

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Bytes of the character at `pos` as far as the INI syntax cares (see IniCharset).
size_t CharLength(std::string_view text, size_t pos, IniCharset charset) {
    return charset == IniCharset::Gbk ? GbkCharLength(text, pos) : 1;
}

enum class LineKind { Blank, Section, Entry };

// One line of the text, as offsets into it.
struct IniLine {
    size_t start = 0;       // first byte of the line
    size_t contentEnd = 0;  // its line break, or the end of the text
    size_t next = 0;        // first byte of the next line
    size_t trimmedEnd = 0;  // end of the line without trailing white space
    LineKind kind = LineKind::Blank;
    std::string_view name;  // section or entry name
    bool hasValue = false;  // an entry with "="
    size_t valueStart = 0;  // after "=" and the white space following it
    bool HasLineBreak() const { return next > contentEnd; }
};

// Splits the text into lines and classifies each; one pass, no copies.
class LineReader {
  public:
    LineReader(std::string_view text, IniCharset charset) : text_(text), charset_(charset) {}

    bool Next(IniLine& line) {
        if (pos_ >= text_.size()) return false;
        line = IniLine{};
        line.start = pos_;
        size_t end = text_.find_first_of(kLineBreak, pos_);
        if (end == std::string_view::npos) end = text_.size();
        line.contentEnd = end;
        // One break per line (CRLF, CR or LF), so that blank lines stay lines of their own.
        size_t next = end;
        if (next < text_.size()) {
            next +=
                (text_[next] == '\r' && next + 1 < text_.size() && text_[next + 1] == '\n') ? 2 : 1;
        }
        line.next = next;
        pos_ = next;
        Classify(line);
        return true;
    }

  private:
    void Classify(IniLine& line) const {
        size_t begin = line.start;
        size_t end = line.contentEnd;
        while (begin < end && IsIniSpace(text_[begin])) ++begin;
        while (end > begin && IsIniSpace(text_[end - 1])) --end;
        line.trimmedEnd = end;
        if (begin == end) return;

        if (text_[begin] == '[') {
            size_t lastBracket = std::string_view::npos;
            for (size_t i = begin; i < end; i += CharLength(text_, i, charset_)) {
                if (text_[i] == ']') lastBracket = i;
            }
            if (lastBracket != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = TrimIniSpace(text_.substr(begin + 1, lastBracket - begin - 1));
                return;
            }
        }

        line.kind = LineKind::Entry;
        // "=" is never a GBK trail byte nor part of a UTF-8 character, so a plain byte search
        // finds the first one.
        const size_t equals = text_.substr(0, end).find('=', begin);
        if (equals == std::string_view::npos) {
            line.name = text_.substr(begin, end - begin);
            return;
        }
        size_t nameEnd = equals;
        while (nameEnd > begin && IsIniSpace(text_[nameEnd - 1])) --nameEnd;
        line.name = text_.substr(begin, nameEnd - begin);
        line.hasValue = true;
        size_t valueStart = equals + 1;
        while (valueStart < end && IsIniSpace(text_[valueStart])) ++valueStart;
        line.valueStart = valueStart;
    }

    std::string_view text_;
    IniCharset charset_;
    size_t pos_ = 0;
};

std::string_view StripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The value of an entry line as the profile read returns it.
std::string EntryValue(std::string_view text, const IniLine& line) {
    std::string_view value = text.substr(line.valueStart, line.trimmedEnd - line.valueStart);
    value = value.substr(0, value.find('\0'));
    return std::string(StripMatchingQuotes(value));
}

// One spelling per class of names IniNamesEqual takes for equal: ASCII letters folded,
// other characters as they are.
std::string FoldName(std::string_view name, IniCharset charset) {
    std::string folded(name);
    for (size_t i = 0; i < folded.size();) {
        const size_t length = CharLength(folded, i, charset);
        if (length == 1) folded[i] = FoldAscii(folded[i]);
        i += length;
    }
    return folded;
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Whether the name ends in a GBK lead byte that is not part of a character: "]", a trail
// byte, would join it, and "[name]" would not read as a header.
bool EndsInLoneLeadByte(std::string_view name) {
    size_t last = 0;
    for (size_t i = 0; i < name.size(); i += GbkCharLength(name, i)) last = i;
    return !name.empty() && last == name.size() - 1 &&
           IsGbkLeadByte(static_cast<unsigned char>(name.back()));
}

std::string_view TrimLeadingIniSpace(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size() && IsIniSpace(text[begin])) ++begin;
    return text.substr(begin);
}

}  // namespace

bool IsIniSpace(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == kDosEndOfFile; }

std::string_view TrimIniSpace(std::string_view text) {
    text = TrimLeadingIniSpace(text);
    size_t end = text.size();
    while (end > 0 && IsIniSpace(text[end - 1])) --end;
    return text.substr(0, end);
}

bool IniNamesEqual(std::string_view a, std::string_view b, IniCharset charset) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        const size_t length = CharLength(a, i, charset);
        if (length == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    section = TrimIniSpace(section);
    key = TrimIniSpace(key);
    // Lines before the first header form the section with the empty name.
    bool inSection = section.empty();
    LineReader reader(text_, charset_);
    IniLine line;
    while (reader.Next(line)) {
        if (line.kind == LineKind::Section) {
            if (inSection) return std::nullopt;  // only the first section of a name counts
            inSection = IniNamesEqual(line.name, section, charset_);
        } else if (inSection && line.kind == LineKind::Entry &&
                   IniNamesEqual(line.name, key, charset_)) {
            if (!line.hasValue) return std::nullopt;
            return EntryValue(text_, line);
        }
    }
    return std::nullopt;
}

bool IniDocument::ValidEdit(std::string_view section, std::string_view key, std::string_view value,
                            IniCharset charset) {
    section = TrimIniSpace(section);
    key = TrimIniSpace(key);
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
        return false;
    }
    if (section.empty() || key.empty()) return false;
    if (charset == IniCharset::Gbk && EndsInLoneLeadByte(section)) return false;
    return key.find('=') == std::string_view::npos && key.front() != '[';
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!ValidEdit(section, key, value, charset_)) return false;
    section = TrimIniSpace(section);
    key = TrimIniSpace(key);
    value = TrimLeadingIniSpace(value);

    bool inSection = false;
    size_t insertAt = std::string::npos;
    bool insertNeedsBreak = false;
    LineReader reader(text_, charset_);
    IniLine line;
    while (reader.Next(line)) {
        if (line.kind == LineKind::Section) {
            if (inSection) break;
            if (!IniNamesEqual(line.name, section, charset_)) continue;
            inSection = true;
        } else if (!inSection || line.kind == LineKind::Blank) {
            continue;
        } else if (IniNamesEqual(line.name, key, charset_)) {
            // Keep the line's name and the spacing around "="; replace only the value.
            if (line.hasValue) {
                // An empty value takes the spaces after "=" with it, as a second write of
                // it would (the reader counts them as the line's end), so that writing the
                // same value again changes nothing.
                size_t start = line.valueStart;
                while (value.empty() && start > line.start && IsIniSpace(text_[start - 1])) {
                    --start;
                }
                text_.replace(start, line.contentEnd - start, value);
            } else {
                std::string tail = "=";
                tail += value;
                text_.replace(line.trimmedEnd, line.contentEnd - line.trimmedEnd, tail);
            }
            return true;
        }
        insertAt = line.next;
        insertNeedsBreak = !line.HasLineBreak();
    }

    std::string added;
    if (insertAt == std::string::npos) {
        insertAt = text_.size();
        insertNeedsBreak = !text_.empty() && !IsLineBreak(text_.back());
        added.append("[").append(section).append("]").append(kLineBreak);
    }
    added.append(key).append("=").append(value).append(kLineBreak);
    if (insertNeedsBreak) added.insert(0, kLineBreak);
    text_.insert(insertAt, added);
    return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
    section = TrimIniSpace(section);
    bool inSection = section.empty();
    size_t start = 0;
    size_t end = text_.size();
    LineReader reader(text_, charset_);
    IniLine line;
    while (reader.Next(line)) {
        if (line.kind != LineKind::Section) continue;
        if (inSection) {
            end = line.start;
            break;
        }
        if (IniNamesEqual(line.name, section, charset_)) {
            inSection = true;
            start = line.start;
        }
    }
    if (!inSection) return false;
    text_.erase(start, end - start);
    return true;
}

IniIndex::IniIndex(std::string_view text, IniCharset charset) : charset_(charset) {
    // Lines before the first header form the section with the empty name; a later "[]" is a
    // second section of that name and counts for nothing.
    Entries* current = &sections_[std::string()];
    LineReader reader(text, charset);
    IniLine line;
    while (reader.Next(line)) {
        if (line.kind == LineKind::Section) {
            const auto [where, added] = sections_.try_emplace(FoldName(line.name, charset));
            current = added ? &where->second : nullptr;
        } else if (current != nullptr && line.kind == LineKind::Entry) {
            const std::string name = FoldName(line.name, charset);
            if (current->count(name) != 0) continue;
            current->emplace(name, line.hasValue
                                       ? std::optional<std::string>(EntryValue(text, line))
                                       : std::nullopt);
        }
    }
}

std::optional<std::string> IniIndex::Find(std::string_view section, std::string_view key) const {
    const auto inSection = sections_.find(FoldName(TrimIniSpace(section), charset_));
    if (inSection == sections_.end()) return std::nullopt;
    const auto entry = inSection->second.find(FoldName(TrimIniSpace(key), charset_));
    if (entry == inSection->second.end()) return std::nullopt;
    return entry->second;
}

bool IniIndex::HasSection(std::string_view section) const {
    return sections_.count(FoldName(TrimIniSpace(section), charset_)) != 0;
}

}  // namespace quorrin
